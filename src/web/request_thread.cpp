#include "web/request_thread.h"

#include <system_error>

namespace quorvane {

RequestThread::~RequestThread() {
  if (!mailbox_) return;
  close();
  thread_.join();
}

bool RequestThread::run(std::function<void()> work) {
  if (!mailbox_) {
    auto mailbox = std::make_shared<Mailbox>();
    try {
      thread_ = std::thread([mailbox] { serve(mailbox); });
    } catch (const std::system_error&) {
      return false;
    }
    mailbox_ = std::move(mailbox);
  }
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->work = std::move(work);
  }
  mailbox_->changed.notify_one();
  return true;
}

void RequestThread::abandon() {
  if (!mailbox_) return;
  close();
  thread_.detach();
  mailbox_.reset();
}

void RequestThread::close() {
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->closing = true;
  }
  mailbox_->changed.notify_one();
}

void RequestThread::serve(const std::shared_ptr<Mailbox>& mailbox) {
  std::unique_lock lock(mailbox->mutex);
  for (;;) {
    mailbox->changed.wait(lock, [&] { return mailbox->work || mailbox->closing; });
    if (!mailbox->work) return;
    std::function<void()> work = std::move(mailbox->work);
    mailbox->work = nullptr;
    lock.unlock();
    work();
    work = nullptr;  // what the work holds goes before the thread waits again
    lock.lock();
  }
}

}  // namespace quorvane
