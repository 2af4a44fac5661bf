#pragma once
// Carries one search's events from its worker to the window's thread. Events
// wait in order; only the first of a burst asks the window's thread to come
// for them, so a burst of rows costs one wake-up, however many rows it holds.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "search/search_events.h"

namespace quorvane {

class SearchEventChannel final : public SearchEvents, public std::enable_shared_from_this<SearchEventChannel> {
 public:
  // Runs a task on the window's thread (any thread may call it).
  using Post = std::function<void(std::function<void()>)>;
  // Receives the waiting events, in the order they were sent; window's thread.
  using Deliver = std::function<void(std::vector<SearchEvent>&& events)>;

  static std::shared_ptr<SearchEventChannel> open(Post post, Deliver deliver);

  // Worker's thread.
  void send(SearchEvent event) override;
  // Window's thread: events not yet delivered, and every later one, are
  // dropped, so a search that was replaced writes nothing more.
  void close();

 private:
  SearchEventChannel(Post post, Deliver deliver) : post_(std::move(post)), deliver_(std::move(deliver)) {}
  void deliverWaiting();

  std::mutex mutex_;
  std::vector<SearchEvent> waiting_;
  bool closed_ = false;
  const Post post_;
  const Deliver deliver_;
};

}  // namespace quorvane
