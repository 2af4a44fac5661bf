#pragma once
// The thread a client's requests run on, one at a time, kept from one
// request to the next: starting a thread per request costs milliseconds
// under Wine, more than many requests take.
//
// The owner never waits for the thread itself, only for the request it
// handed over, so a request the platform keeps blocked (Wine's receive does
// not return when its handles are closed) holds this thread and nothing
// else. The owner abandons such a thread: it ends by itself once the
// platform lets go, and the next request gets a new thread.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quorvane {

class RequestThread {
 public:
  RequestThread() = default;
  ~RequestThread();  // ends the thread and waits for it
  RequestThread(const RequestThread&) = delete;
  RequestThread& operator=(const RequestThread&) = delete;

  // Runs `work` on the thread, starting one when there is none. The work
  // handed over before must have ended, or its thread been abandoned; the
  // same holds when the thread is destroyed. False when no thread could be
  // started.
  bool run(std::function<void()> work);

  // Lets the current thread go: it ends once its work returns, and the next
  // run starts a new thread.
  void abandon();

 private:
  struct Mailbox {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> work;
    bool closing = false;
  };
  static void serve(const std::shared_ptr<Mailbox>& mailbox);
  void close();

  std::shared_ptr<Mailbox> mailbox_;
  std::thread thread_;
};

}  // namespace quorvane
