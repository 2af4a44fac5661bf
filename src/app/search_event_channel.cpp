#include "app/search_event_channel.h"

namespace quorvane {

std::shared_ptr<SearchEventChannel> SearchEventChannel::open(Post post, Deliver deliver) {
  return std::shared_ptr<SearchEventChannel>(new SearchEventChannel(std::move(post), std::move(deliver)));
}

void SearchEventChannel::send(SearchEvent event) {
  bool firstOfBurst;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    firstOfBurst = waiting_.empty();
    waiting_.push_back(std::move(event));
  }
  // The task holds the channel, so it can be delivered to even after the
  // worker has let go of it.
  if (firstOfBurst) post_([self = shared_from_this()] { self->deliverWaiting(); });
}

void SearchEventChannel::close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  waiting_.clear();
}

void SearchEventChannel::deliverWaiting() {
  std::vector<SearchEvent> events;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    events.swap(waiting_);
  }
  if (!events.empty()) deliver_(std::move(events));
}

}  // namespace quorvane
