#include "app/window/taskbar_progress.h"

#include <shobjidl.h>

namespace quorvane {

TaskbarButtonProgress::~TaskbarButtonProgress() { detach(); }

void TaskbarButtonProgress::onButtonCreated() {
  detach();
  ITaskbarList3* taskbar = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              reinterpret_cast<void**>(&taskbar))) ||
      !taskbar)
    return;
  if (FAILED(taskbar->HrInit())) {
    taskbar->Release();
    return;
  }
  taskbar_ = taskbar;
  if (searching_) showState();
}

void TaskbarButtonProgress::detach() {
  if (taskbar_) taskbar_->Release();
  taskbar_ = nullptr;
}

void TaskbarButtonProgress::start() {
  searching_ = true;
  done_ = 0;
  total_ = 1;
  showState();
}

void TaskbarButtonProgress::advance(std::uint64_t done, std::uint64_t total) {
  done_ = done;
  total_ = total;
  if (taskbar_ && window_ && searching_) taskbar_->SetProgressValue(window_, done_, total_);
}

void TaskbarButtonProgress::clear() {
  searching_ = false;
  if (taskbar_ && window_) taskbar_->SetProgressState(window_, TBPF_NOPROGRESS);
}

void TaskbarButtonProgress::showState() {
  if (!taskbar_ || !window_) return;
  taskbar_->SetProgressState(window_, TBPF_NORMAL);
  taskbar_->SetProgressValue(window_, done_, total_);
}

}  // namespace quorvane
