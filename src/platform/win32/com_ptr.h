#pragma once
// Holds one reference to a COM object and releases it when it goes, so no
// path out of a function can leak one.
#include <unknwn.h>

#include <utility>

namespace quorvane::platform {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  Interface& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For an out-parameter that hands over a reference: releases the one held.
  Interface** put() {
    reset();
    return &object_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace quorvane::platform
