#pragma once
// What a result row says about its seller and how it looks: the status texts
// of columns 7 and 8 and the row's colours, each defined once here for the
// search and for contacting alike.
#include <cstdint>

namespace quorvane {

using Colour = std::uint32_t;  // 0x00BBGGRR, as Windows colour values

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kContactedGrey = rgb(220, 220, 220);
inline constexpr Colour kOnlineGreen = rgb(0, 139, 69);

// Column 7 (在线状态) and column 8 (联系状态), in local text.
inline constexpr const char* kOnlineText = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF";   // 旺旺在线
inline constexpr const char* kOfflineText = "\xCD\xFA\xCD\xFA\xC0\xEB\xCF\xDF";  // 旺旺离线
inline constexpr const char* kContactedText = "\xD2\xD1\xC1\xAA\xCF\xB5";        // 已联系
inline constexpr const char* kNotContactedText = "\xCE\xB4\xC1\xAA\xCF\xB5";     // 未联系

enum class RowLook {
  Cleared,             // as a new search leaves every result row
  OnlineNotContacted,  // green text: worth contacting
  Contacted,           // grey background, black text
};

struct RowColours {
  Colour background;
  Colour text;
};

// The colours of columns 1 to 8 of a row with that look; the tick column
// always keeps the cleared colours.
constexpr RowColours coloursOf(RowLook look) {
  switch (look) {
    case RowLook::OnlineNotContacted:
      return {kWhite, kOnlineGreen};
    case RowLook::Contacted:
      return {kContactedGrey, kBlack};
    case RowLook::Cleared:
      break;
  }
  return {kWhite, kBlack};
}

}  // namespace quorvane
