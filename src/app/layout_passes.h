#pragma once
// Laying a window out moves its controls, and the system may size the window
// again meanwhile (Wine does, passing a maximised window through its former
// size): a pass asked for while one runs is not nested, which would leave the
// running one to finish with a size that is gone, but makes the running one
// go round again with the size as it then is.
namespace quorvane {

class LayoutPasses {
 public:
  template <typename Pass>
  void run(Pass&& pass) {
    if (running_) {
      again_ = true;
      return;
    }
    running_ = true;
    do {
      again_ = false;
      pass();
    } while (again_);
    running_ = false;
  }

 private:
  bool running_ = false;
  bool again_ = false;
};

}  // namespace quorvane
