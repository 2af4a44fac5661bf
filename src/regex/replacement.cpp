#include "regex/replacement.h"

namespace quorvane::regex {
namespace {

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

class Expander {
 public:
  Expander(std::u16string_view subject, const MatchList& matches, size_t match, std::u16string& out)
      : subject_(subject), matches_(matches), match_(match), out_(out) {}

  void expand(std::u16string_view replacement) {
    for (size_t i = 0; i < replacement.size(); ++i) {
      if (replacement[i] != u'$' || i + 1 == replacement.size()) {
        out_ += replacement[i];
        continue;
      }
      i += expandDollar(replacement.substr(i + 1));
    }
  }

 private:
  // Writes what "$" followed by `rest` stands for; returns how many units of
  // `rest` it used.
  size_t expandDollar(std::u16string_view rest) {
    size_t matchStart = matches_.start(match_, 0);
    size_t matchEnd = matches_.end(match_, 0);
    switch (rest[0]) {
      case u'$': out_ += u'$'; return 1;
      case u'&': out_ += subject_.substr(matchStart, matchEnd - matchStart); return 1;
      case u'`': out_ += subject_.substr(0, matchStart); return 1;
      case u'\'': out_ += subject_.substr(matchEnd); return 1;
      default: break;
    }
    if (size_t used = expandGroup(rest)) return used;
    out_ += u'$';
    return 0;
  }

  // Two digits when they name a group, else one digit when it does.
  size_t expandGroup(std::u16string_view rest) {
    if (!isDigit(rest[0])) return 0;
    int one = rest[0] - u'0';
    if (rest.size() > 1 && isDigit(rest[1])) {
      int two = one * 10 + (rest[1] - u'0');
      if (two >= 1 && two <= matches_.groupCount()) {
        out_ += matches_.text(subject_, match_, two);
        return 2;
      }
    }
    if (one >= 1 && one <= matches_.groupCount()) {
      out_ += matches_.text(subject_, match_, one);
      return 1;
    }
    return 0;
  }

  std::u16string_view subject_;
  const MatchList& matches_;
  size_t match_;
  std::u16string& out_;
};

}  // namespace

std::u16string replaceMatches(std::u16string_view subject, const MatchList& matches,
                              std::u16string_view replacement) {
  std::u16string out;
  size_t copied = 0;
  for (size_t match = 0; match < matches.size(); ++match) {
    size_t start = matches.start(match, 0);
    out += subject.substr(copied, start - copied);
    Expander(subject, matches, match, out).expand(replacement);
    copied = matches.end(match, 0);
  }
  out += subject.substr(copied);
  return out;
}

}  // namespace quorvane::regex
