// A measurement, not a benchmark: which texts the conversion to code page
// 936 writes differently with the composite check (flag 0x200) than without
// it, over every BMP unit and every pair of BMP units, on this port (the
// iconv port natively, the system's WideCharToMultiByte under Wine). It
// prints the pairs that change, their second units, and whether each such
// unit is one that utf16ToLocal converts with the check
// (text/composite_check.h). It also checks that without the check every unit
// converts on its own, which lets utf16ToLocal cut a text anywhere outside
// the stretches it converts with the check.
//   composite_check_survey [FIRST LAST]   second units FIRST..LAST (hex), default all
// Every pair takes minutes natively and about an hour under Wine.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/code_pages.h"
#include "text/composite_check.h"

namespace {

using quorvane::ByteArray;
using quorvane::Utf16Text;
using quorvane::kLocalCodePage;

constexpr unsigned kCompositeCheck = 0x200;

ByteArray convert(const Utf16Text& units, unsigned flags) {
  return quorvane::utf16ToMultiByte(units, kLocalCodePage, flags);
}

std::string hex(const ByteArray& bytes) {
  std::string out;
  char digits[4];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02X ", byte);
    out += digits;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned first = argc > 2 ? std::strtoul(argv[1], nullptr, 16) : 0;
  const unsigned last = argc > 2 ? std::strtoul(argv[2], nullptr, 16) : 0xFFFF;

  std::vector<ByteArray> alone(0x10000);
  int singlesChanged = 0;
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    const Utf16Text one(1, static_cast<char16_t>(unit));
    alone[unit] = convert(one, 0);
    if (convert(one, kCompositeCheck) != alone[unit]) {
      std::printf("single unit %04X: %s with the check, %s without\n", unit, hex(convert(one, kCompositeCheck)).c_str(),
                  hex(alone[unit]).c_str());
      ++singlesChanged;
    }
  }
  std::printf("single units changed by the check: %d\n", singlesChanged);

  // One text per second unit: every BMP unit followed by it, so each text
  // holds all pairs (x, second) and, between them, (second, x).
  Utf16Text text(0x20000, 0);
  for (unsigned unit = 0; unit < 0x10000; ++unit) text[2 * unit] = static_cast<char16_t>(unit);
  int pairsChanged = 0;
  int notOnItsOwn = 0;
  int unitsMissed = 0;
  std::vector<unsigned> seconds;
  for (unsigned second = first; second <= last && second < 0x10000; ++second) {
    for (unsigned unit = 0; unit < 0x10000; ++unit) text[2 * unit + 1] = static_cast<char16_t>(second);
    const ByteArray without = convert(text, 0);
    ByteArray unitByUnit;
    unitByUnit.reserve(without.size());
    for (unsigned unit = 0; unit < 0x10000; ++unit) unitByUnit.append(alone[unit]).append(alone[second]);
    if (without != unitByUnit) {
      std::printf("without the check, units do not convert on their own after %04X\n", second);
      ++notOnItsOwn;
    }
    // A change may also come from pairs (second, x); those are found when
    // x is the second unit.
    if (convert(text, kCompositeCheck) == without) continue;
    const bool converted = quorvane::mayJoinThePreviousUnit(static_cast<char16_t>(second));
    bool anyJoined = false;
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
      const Utf16Text pair{static_cast<char16_t>(unit), static_cast<char16_t>(second)};
      const ByteArray joined = convert(pair, kCompositeCheck);
      if (joined == alone[unit] + alone[second]) continue;
      std::printf("pair %04X %04X: %s(%s without)%s\n", unit, second, hex(joined).c_str(),
                  hex(alone[unit] + alone[second]).c_str(), converted ? "" : "  NOT CONVERTED WITH THE CHECK");
      ++pairsChanged;
      anyJoined = true;
    }
    if (!anyJoined) continue;
    seconds.push_back(second);
    unitsMissed += !converted;
  }
  std::printf("second units %04X..%04X: %d pairs changed by the check, joining %zu second units:", first, last,
              pairsChanged, seconds.size());
  for (unsigned second : seconds) std::printf(" %04X", second);
  std::printf("\nunits the program would convert without the check: %d; texts not converting unit by unit: %d\n",
              unitsMissed, notOnItsOwn);
  return unitsMissed == 0 && notOnItsOwn == 0 && singlesChanged == 0 ? 0 : 1;
}
