#pragma once
// A search's progress on the window's taskbar button. The window talks to
// the interface, so a test can stand in for the shell and see what the
// button was told.
#include <windows.h>

#include <cstdint>

struct ITaskbarList3;

namespace quorvane {

class TaskbarProgress {
 public:
  virtual ~TaskbarProgress() = default;
  // A search began: the bar shows, empty, in its normal (green) state.
  virtual void start() = 0;
  virtual void advance(std::uint64_t done, std::uint64_t total) = 0;
  // The search ended or was stopped: the button shows no bar.
  virtual void clear() = 0;
};

// The shell's own, through ITaskbarList3. The object may be asked for only
// once the shell has made the window's button ("TaskbarButtonCreated"); until
// then, and wherever the object is missing or refuses (an older Windows, no
// COM on the thread, a shell without taskbar), the bar is simply not shown.
// The state is kept, so a button made or remade (the shell restarted) during
// a search shows the search's bar.
class TaskbarButtonProgress final : public TaskbarProgress {
 public:
  TaskbarButtonProgress() = default;
  TaskbarButtonProgress(const TaskbarButtonProgress&) = delete;
  TaskbarButtonProgress& operator=(const TaskbarButtonProgress&) = delete;
  ~TaskbarButtonProgress() override;

  void attach(HWND window) { window_ = window; }
  // "TaskbarButtonCreated" reached the window.
  void onButtonCreated();
  // Lets the shell's object go; the window is being destroyed.
  void detach();

  void start() override;
  void advance(std::uint64_t done, std::uint64_t total) override;
  void clear() override;

 private:
  void showState();

  HWND window_ = nullptr;
  ITaskbarList3* taskbar_ = nullptr;
  bool searching_ = false;
  std::uint64_t done_ = 0;
  std::uint64_t total_ = 0;
};

}  // namespace quorvane
