#include "platform/posix/gbk_codec.h"

#include <iconv.h>

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <vector>

#include "platform/posix/cp936_windows_extras.h"

namespace quorvane::platform {
namespace {

constexpr char16_t kQuestionUnit = u'?';
constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kTrailsPerLead = kLastTrail - kFirstTrail + 1;

bool isLead(unsigned char byte) { return byte >= kFirstLead && byte <= kLastLead; }

// One conversion of a short sequence through iconv; empty when it fails.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvConverter() {
    if (valid()) iconv_close(handle_);
  }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  std::string convert(std::string_view in) {
    char output[16];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = output;
    size_t outLeft = sizeof output;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return {};
    if (iconv(handle_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return {};
    return std::string(output, outPtr);
  }

 private:
  iconv_t handle_;
};

// Both directions of the code page as flat tables; 0 means "no character".
struct Tables {
  std::vector<char16_t> unitOfPair;   // by (lead - 0x81) * 191 + (trail - 0x40)
  std::vector<uint16_t> codeOfUnit;   // by unit; below 0x100 a single byte
};

size_t pairIndex(unsigned lead, unsigned trail) {
  return (lead - kFirstLead) * kTrailsPerLead + (trail - kFirstTrail);
}

void fillPairs(Tables& tables) {
  tables.unitOfPair.assign((kLastLead - kFirstLead + 1) * kTrailsPerLead, 0);
  IconvConverter toUtf16("UTF-16LE", "CP936");
  if (!toUtf16.valid()) return;
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string unit = toUtf16.convert(std::string_view(pair, 2));
      if (unit.size() != 2) continue;
      tables.unitOfPair[pairIndex(lead, trail)] = static_cast<char16_t>(
          static_cast<unsigned char>(unit[0]) | static_cast<unsigned char>(unit[1]) << 8);
    }
  }
  for (const cp936::PairRun& run : cp936::kPrivateUseRuns) {
    for (unsigned code = run.first; code <= run.last; ++code) {
      tables.unitOfPair[pairIndex(code >> 8, code & 0xFF)] =
          static_cast<char16_t>(run.unit + (code - run.first));
    }
  }
}

void fillUnits(Tables& tables) {
  tables.codeOfUnit.assign(0x10000, 0);
  for (unsigned unit = 1; unit < 0x80; ++unit) tables.codeOfUnit[unit] = static_cast<uint16_t>(unit);
  IconvConverter fromUtf16("CP936", "UTF-16LE");
  if (fromUtf16.valid()) {
    for (unsigned unit = 0x80; unit < 0x10000; ++unit) {
      if (unit >= 0xD800 && unit < 0xE000) continue;
      const char units[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
      const std::string code = fromUtf16.convert(std::string_view(units, 2));
      if (code.size() == 1) tables.codeOfUnit[unit] = static_cast<unsigned char>(code[0]);
      if (code.size() == 2) {
        tables.codeOfUnit[unit] = static_cast<uint16_t>(static_cast<unsigned char>(code[0]) << 8 |
                                                        static_cast<unsigned char>(code[1]));
      }
    }
  }
  for (const cp936::PairRun& run : cp936::kPrivateUseRuns) {
    for (unsigned code = run.first; code <= run.last; ++code) {
      tables.codeOfUnit[run.unit + (code - run.first)] = static_cast<uint16_t>(code);
    }
  }
  for (const cp936::BestFit& fit : cp936::kBestFits) tables.codeOfUnit[fit.unit] = fit.code;
}

const Tables& tables() {
  static const Tables built = [] {
    Tables fresh;
    fillPairs(fresh);
    fillUnits(fresh);
    return fresh;
  }();
  return built;
}

char16_t unitOfSingleByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte == 0x80) return 0x20AC;
  if (byte == 0xFF) return 0xF8F5;
  return kQuestionUnit;  // a lead byte with nothing after it
}

char16_t unitOfPair(unsigned char lead, unsigned char trail) {
  if (trail < kFirstTrail || trail > kLastTrail) return kQuestionUnit;
  const char16_t unit = tables().unitOfPair[pairIndex(lead, trail)];
  return unit ? unit : kQuestionUnit;
}

// Writes the code of `unit` at `out`; returns the byte after it.
char* putUnit(const std::vector<uint16_t>& codeOfUnit, char16_t unit, char* out) {
  if (unit == 0) {
    *out++ = '\0';
    return out;
  }
  uint16_t code = codeOfUnit[unit];
  if (!code) code = '?';
  if (code >= 0x100) *out++ = static_cast<char>(code >> 8);
  *out++ = static_cast<char>(code & 0xFF);
  return out;
}

// The precomposed character for `letter` followed by `mark`, or 0.
char16_t composed(char16_t letter, char16_t mark) {
  const auto* begin = std::begin(cp936::kCompositions);
  const auto* end = std::end(cp936::kCompositions);
  const auto* found = std::lower_bound(begin, end, cp936::Composition{letter, mark, 0},
                                       [](const cp936::Composition& a, const cp936::Composition& b) {
                                         return a.letter != b.letter ? a.letter < b.letter
                                                                     : a.mark < b.mark;
                                       });
  return found != end && found->letter == letter && found->mark == mark ? found->composed : 0;
}

}  // namespace

// Both directions write through a pointer into a string sized for the
// longest result, then cut it to what was written: a page converts without
// a capacity check per unit.
void decodeGbk(std::string_view bytes, Utf16Text& units) {
  if (units.size() < bytes.size()) units.resize(bytes.size());  // at most one unit a byte
  char16_t* out = units.data();
  for (size_t at = 0; at < bytes.size(); ++at) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      *out++ = byte;
    } else if (isLead(byte) && at + 1 < bytes.size() && bytes[at + 1] != '\0') {
      *out++ = unitOfPair(byte, static_cast<unsigned char>(bytes[++at]));
    } else {
      *out++ = unitOfSingleByte(byte);
    }
  }
  units.resize(static_cast<size_t>(out - units.data()));
}

void encodeGbk(std::u16string_view units, bool composeFirst, ByteArray& bytes) {
  const std::vector<uint16_t>& codeOfUnit = tables().codeOfUnit;
  const size_t base = bytes.size();
  bytes.resize(base + 2 * units.size());  // at most two bytes a unit
  char* out = bytes.data() + base;
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit > 0 && unit < 0x80 && !composeFirst) {
      *out++ = static_cast<char>(unit);
      continue;
    }
    const char16_t joined = composeFirst && i + 1 < units.size() ? composed(unit, units[i + 1]) : 0;
    if (joined) ++i;
    out = putUnit(codeOfUnit, joined ? joined : unit, out);
  }
  bytes.resize(static_cast<size_t>(out - bytes.data()));
}

}  // namespace quorvane::platform
