#include "app/search_event_channel.h"

#include <gtest/gtest.h>

#include <thread>

namespace quorvane {
namespace {

// A window thread that runs its posted tasks only when told to.
struct FakeWindowThread {
  std::vector<std::function<void()>> posted;
  std::vector<std::vector<SearchEvent>> delivered;

  std::shared_ptr<SearchEventChannel> open() {
    return SearchEventChannel::open([this](std::function<void()> task) { posted.push_back(std::move(task)); },
                                    [this](std::vector<SearchEvent>&& events) { delivered.push_back(std::move(events)); });
  }
  void runPosted() {
    auto tasks = std::move(posted);
    posted.clear();
    for (auto& task : tasks) task();
  }
};

TEST(SearchEventChannel, ABurstOfEventsCostsOneWakeUpAndArrivesInOrder) {
  FakeWindowThread window;
  auto channel = window.open();
  for (int row = 1; row <= 500; ++row) {
    channel->send(ShopFound{row, {}});
    channel->send(CountChanged{row});
  }
  EXPECT_EQ(window.posted.size(), 1u);
  window.runPosted();
  ASSERT_EQ(window.delivered.size(), 1u);
  ASSERT_EQ(window.delivered[0].size(), 1000u);
  EXPECT_EQ(window.delivered[0][998], SearchEvent(ShopFound{500, {}}));
  EXPECT_EQ(window.delivered[0][999], SearchEvent(CountChanged{500}));
}

TEST(SearchEventChannel, EventsAfterADeliveryWakeTheWindowAgain) {
  FakeWindowThread window;
  auto channel = window.open();
  channel->send(CountChanged{1});
  window.runPosted();
  channel->send(CountChanged{2});
  EXPECT_EQ(window.posted.size(), 1u);
  window.runPosted();
  ASSERT_EQ(window.delivered.size(), 2u);
  EXPECT_EQ(window.delivered[1], std::vector<SearchEvent>{CountChanged{2}});
}

TEST(SearchEventChannel, AClosedChannelDropsWaitingAndLaterEvents) {
  FakeWindowThread window;
  auto channel = window.open();
  channel->send(ShopFound{1, {}});
  channel->close();
  channel->send(ShopFound{2, {}});
  window.runPosted();
  EXPECT_TRUE(window.delivered.empty());
}

TEST(SearchEventChannel, AWakeUpOutlivesTheWorkersHoldOnTheChannel) {
  FakeWindowThread window;
  {
    auto channel = window.open();
    channel->send(SearchEnded{});
  }
  window.runPosted();
  ASSERT_EQ(window.delivered.size(), 1u);
}

TEST(SearchEventChannel, EventsFromAnotherThreadAllArriveOnce) {
  std::mutex postedMutex;
  std::vector<std::function<void()>> posted;
  std::vector<SearchEvent> delivered;
  auto channel = SearchEventChannel::open(
      [&](std::function<void()> task) {
        std::lock_guard lock(postedMutex);
        posted.push_back(std::move(task));
      },
      [&](std::vector<SearchEvent>&& events) { delivered.insert(delivered.end(), events.begin(), events.end()); });
  std::thread worker([&] {
    for (int row = 1; row <= 10000; ++row) channel->send(CountChanged{row});
  });
  // The window thread keeps draining while the worker sends.
  auto drain = [&] {
    std::vector<std::function<void()>> tasks;
    {
      std::lock_guard lock(postedMutex);
      tasks.swap(posted);
    }
    for (auto& task : tasks) task();
  };
  while (delivered.size() < 10000) drain();
  worker.join();
  drain();
  ASSERT_EQ(delivered.size(), 10000u);
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(delivered[static_cast<size_t>(i)], SearchEvent(CountChanged{i + 1}));
}

}  // namespace
}  // namespace quorvane
