#include "contact/contact_round.h"

namespace quorvane {

ContactRound::ContactRound() : claimed_(current_ == nullptr) {
  if (claimed_) current_ = this;
}

ContactRound::~ContactRound() {
  if (claimed_) current_ = nullptr;
}

void ContactRound::stopRunning() {
  if (current_) current_->stopRequested_ = true;
}

}  // namespace quorvane
