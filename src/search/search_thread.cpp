#include "search/search_thread.h"

#include <system_error>

namespace quorvane {

SearchThread::~SearchThread() {
  stop();
  join();
}

bool SearchThread::start(Work work, std::function<void()> abortRequest, std::function<void()> ownEnd) {
  stop();
  join();
  auto run = std::make_shared<Run>();
  run->abortRequest = std::move(abortRequest);
  run->ownEnd = std::move(ownEnd);
  current_ = run;
  slot_.store(run.get());
  try {
    thread_ = std::thread([this, run, work = std::move(work)] { runOnThread(run, work); });
  } catch (const std::system_error&) {
    slot_.store(nullptr);
    return false;
  }
  return true;
}

void SearchThread::runOnThread(const std::shared_ptr<Run>& run, const Work& work) {
  work(run->stop);
  Run* self = run.get();
  if (slot_.compare_exchange_strong(self, nullptr) && run->ownEnd) run->ownEnd();
}

bool SearchThread::stop() {
  Run* run = slot_.exchange(nullptr);
  if (run == nullptr) return false;
  run->stop.request();
  if (run->abortRequest) run->abortRequest();
  return true;
}

void SearchThread::join() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

}  // namespace quorvane
