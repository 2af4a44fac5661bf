#pragma once
// Every size and position of the windows is given for 96 DPI. On a screen
// of another DPI each figure is multiplied by dpi / 96 and rounded, here and
// nowhere else, so that all of them grow alike.
namespace quorvane {

class DpiScale {
 public:
  static constexpr int kDesignDpi = 96;

  constexpr DpiScale() = default;
  // A DPI of 0 or less (a failed query) counts as the design DPI.
  constexpr explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

  constexpr int dpi() const { return dpi_; }

  // Rounds halves away from zero, as MulDiv does, so a figure and its
  // negative scale to opposite values.
  constexpr int operator()(int designPixels) const {
    const long long product = static_cast<long long>(designPixels) * dpi_;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
  }

  friend constexpr bool operator==(DpiScale, DpiScale) = default;

 private:
  int dpi_ = kDesignDpi;
};

}  // namespace quorvane
