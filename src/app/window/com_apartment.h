#pragma once
// COM on the user-interface thread for the whole run: the shell may hand a
// launch to COM handlers, and UI Automation needs it. Apartment-threaded, as
// a thread with windows must be; OLE1 DDE off, which the shell's launches
// do not need.
#include <objbase.h>

namespace quorvane {

class ComApartment {
 public:
  ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (joined_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_;
};

}  // namespace quorvane
