#pragma once
// One contact round at a time. A round runs on the window's thread, but the
// URL encoder lets window events run in the middle of it, so a click on
// "联系选中" or "联系" can arrive while a round is under way; it must not
// start a second round inside the first.
namespace quorvane {

class ContactRound {
 public:
  ContactRound();  // claims the round when none is running
  ~ContactRound();
  ContactRound(const ContactRound&) = delete;
  ContactRound& operator=(const ContactRound&) = delete;

  bool claimed() const { return claimed_; }
  // Whether the running round should end early (the program is being left,
  // or the window the round belongs to was closed).
  bool stopRequested() const { return stopRequested_; }

  static bool running() { return current_ != nullptr; }
  static void stopRunning();

 private:
  static inline ContactRound* current_ = nullptr;
  bool claimed_;
  bool stopRequested_ = false;
};

}  // namespace quorvane
