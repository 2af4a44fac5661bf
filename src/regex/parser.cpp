#include "regex/parser.h"

#include <optional>

namespace quorvane::regex {
namespace {

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

bool isAsciiLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

int hexValue(char16_t unit) {
  if (isDigit(unit)) return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// One element of a class or an escape: a single unit or a whole set (\d ...).
struct ClassAtom {
  char16_t unit = 0;
  std::optional<CharClass> set;
};

struct Quantifier {
  int min = 0;
  int max = 0;
  size_t length = 0;  // pattern units it spans, the lazy "?" excluded
};

class Parser {
 public:
  explicit Parser(std::u16string_view pattern) : text_(pattern) {}

  ParseResult run() {
    ParseResult result;
    int root = parseDisjunction(0);
    if (status_ == Status::Ok && !atEnd()) status_ = Status::SyntaxError;  // a stray ")"
    result.status = status_;
    if (status_ != Status::Ok) return result;
    tree_.root = root;
    result.tree = std::move(tree_);
    return result;
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char16_t peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : u'\0';
  }
  bool has(size_t ahead) const { return pos_ + ahead < text_.size(); }

  int fail(Status status) {
    if (status_ == Status::Ok) status_ = status;
    return -1;
  }

  int addNode(Node node) {
    tree_.nodes.push_back(std::move(node));
    return static_cast<int>(tree_.nodes.size()) - 1;
  }

  int addLiteral(char16_t unit) {
    Node node;
    node.kind = NodeKind::Literal;
    node.unit = unit;
    return addNode(node);
  }

  int addClass(CharClass set, bool negated) {
    tree_.classes.push_back(std::move(set));
    Node node;
    node.kind = NodeKind::Class;
    node.classIndex = static_cast<int>(tree_.classes.size()) - 1;
    node.negated = negated;
    return addNode(node);
  }

  int parseDisjunction(int depth) {
    std::vector<int> alternatives{parseAlternative(depth)};
    while (status_ == Status::Ok && peek() == u'|' && has(0)) {
      ++pos_;
      alternatives.push_back(parseAlternative(depth));
    }
    if (status_ != Status::Ok) return -1;
    if (alternatives.size() == 1) return alternatives[0];
    Node node;
    node.kind = NodeKind::Alternate;
    node.children = std::move(alternatives);
    return addNode(std::move(node));
  }

  int parseAlternative(int depth) {
    Node node;
    node.kind = NodeKind::Concat;
    while (status_ == Status::Ok && !atEnd() && peek() != u'|' && peek() != u')') {
      int term = parseTerm(depth);
      if (term >= 0) node.children.push_back(term);
    }
    if (status_ != Status::Ok) return -1;
    if (node.children.empty()) return addNode(Node{});
    if (node.children.size() == 1) return node.children[0];
    return addNode(std::move(node));
  }

  int parseTerm(int depth) {
    if (std::optional<Assertion> assertion = parseAssertion()) {
      if (quantifierAt(pos_)) return fail(Status::SyntaxError);  // nothing to repeat
      Node node;
      node.kind = NodeKind::Assertion;
      node.assertion = *assertion;
      return addNode(node);
    }
    int groupsBefore = tree_.groupCount;
    int atom = parseAtom(depth);
    if (atom < 0) return -1;
    std::optional<Quantifier> quantifier = quantifierAt(pos_);
    if (!quantifier) return atom;
    pos_ += quantifier->length;
    bool greedy = true;
    if (peek() == u'?' && has(0)) {
      greedy = false;
      ++pos_;
    }
    if (quantifierAt(pos_)) return fail(Status::SyntaxError);
    if (quantifier->max != kUnbounded && quantifier->min > quantifier->max)
      return fail(Status::SyntaxError);
    if (quantifier->min > kMaxRepeatCount || quantifier->max > kMaxRepeatCount)
      return fail(Status::TooLarge);
    Node node;
    node.kind = NodeKind::Repeat;
    node.min = quantifier->min;
    node.max = quantifier->max;
    node.greedy = greedy;
    node.firstGroup = groupsBefore + 1;
    node.endGroup = tree_.groupCount + 1;
    node.children = {atom};
    return addNode(std::move(node));
  }

  std::optional<Assertion> parseAssertion() {
    if (peek() == u'^') {
      ++pos_;
      return Assertion::LineStart;
    }
    if (peek() == u'$') {
      ++pos_;
      return Assertion::LineEnd;
    }
    if (peek() == u'\\' && (peek(1) == u'b' || peek(1) == u'B')) {
      bool boundary = peek(1) == u'b';
      pos_ += 2;
      return boundary ? Assertion::WordBoundary : Assertion::NotWordBoundary;
    }
    return std::nullopt;
  }

  // "*", "+", "?" or a well-formed "{n}", "{n,}", "{n,m}" starting at `at`.
  std::optional<Quantifier> quantifierAt(size_t at) const {
    if (at >= text_.size()) return std::nullopt;
    switch (text_[at]) {
      case u'*': return Quantifier{0, kUnbounded, 1};
      case u'+': return Quantifier{1, kUnbounded, 1};
      case u'?': return Quantifier{0, 1, 1};
      case u'{': return bracedQuantifierAt(at);
      default: return std::nullopt;
    }
  }

  std::optional<Quantifier> bracedQuantifierAt(size_t at) const {
    size_t cursor = at + 1;
    std::optional<int> min = readCount(cursor);
    if (!min) return std::nullopt;
    int max = *min;
    if (cursor < text_.size() && text_[cursor] == u',') {
      ++cursor;
      std::optional<int> upper = readCount(cursor);
      max = upper ? *upper : kUnbounded;
    }
    if (cursor >= text_.size() || text_[cursor] != u'}') return std::nullopt;
    return Quantifier{*min, max, cursor + 1 - at};
  }

  // Decimal digits; values past any sane bound saturate (and are rejected later).
  std::optional<int> readCount(size_t& cursor) const {
    if (cursor >= text_.size() || !isDigit(text_[cursor])) return std::nullopt;
    long long value = 0;
    while (cursor < text_.size() && isDigit(text_[cursor])) {
      value = std::min<long long>(value * 10 + (text_[cursor] - u'0'), 1'000'000'000);
      ++cursor;
    }
    return static_cast<int>(value);
  }

  int parseAtom(int depth) {
    char16_t unit = peek();
    switch (unit) {
      case u'.': {
        ++pos_;
        Node node;
        node.kind = NodeKind::AnyButNewline;
        return addNode(node);
      }
      case u'(': return parseGroup(depth);
      case u'[': return parseClass();
      case u'\\': return parseAtomEscape();
      case u'*':
      case u'+':
      case u'?': return fail(Status::SyntaxError);
      case u'{':
        if (bracedQuantifierAt(pos_)) return fail(Status::SyntaxError);
        break;
      default: break;
    }
    ++pos_;
    return addLiteral(unit);
  }

  int parseGroup(int depth) {
    if (depth + 1 > kMaxGroupNesting) return fail(Status::TooLarge);
    ++pos_;
    int group = 0;
    if (peek() == u'?' && has(0)) {
      if (peek(1) != u':' || !has(1)) return fail(Status::Unsupported);  // lookaround, named groups
      pos_ += 2;
    } else {
      group = ++tree_.groupCount;
    }
    int child = parseDisjunction(depth + 1);
    if (status_ != Status::Ok) return -1;
    if (atEnd() || peek() != u')') return fail(Status::SyntaxError);
    ++pos_;
    if (group == 0) return child;
    Node node;
    node.kind = NodeKind::Group;
    node.group = group;
    node.children = {child};
    return addNode(std::move(node));
  }

  int parseAtomEscape() {
    std::optional<ClassAtom> atom = parseEscape(false);
    if (!atom) return -1;
    if (atom->set) return addClass(std::move(*atom->set), false);
    return addLiteral(atom->unit);
  }

  int parseClass() {
    ++pos_;
    bool negated = false;
    if (peek() == u'^' && has(0)) {
      negated = true;
      ++pos_;
    }
    std::vector<UnitRange> ranges;
    for (;;) {
      if (atEnd()) return fail(Status::SyntaxError);
      if (peek() == u']') break;
      std::optional<ClassAtom> first = parseClassAtom();
      if (!first) return -1;
      if (peek() == u'-' && has(1) && peek(1) != u']') {
        ++pos_;
        std::optional<ClassAtom> last = parseClassAtom();
        if (!last) return -1;
        if (first->set || last->set) return fail(Status::Unsupported);  // "[\d-z]"
        if (first->unit > last->unit) return fail(Status::SyntaxError);
        ranges.push_back({first->unit, last->unit});
      } else if (first->set) {
        ranges.insert(ranges.end(), first->set->ranges().begin(), first->set->ranges().end());
      } else {
        ranges.push_back({first->unit, first->unit});
      }
    }
    ++pos_;
    return addClass(CharClass::of(std::move(ranges)), negated);
  }

  std::optional<ClassAtom> parseClassAtom() {
    if (peek() == u'\\') return parseEscape(true);
    return ClassAtom{text_[pos_++], std::nullopt};
  }

  // After a backslash. Escapes whose meaning differs between dialects or that
  // need features this engine lacks are refused rather than guessed at.
  std::optional<ClassAtom> parseEscape(bool inClass) {
    ++pos_;
    if (atEnd()) {
      fail(Status::SyntaxError);
      return std::nullopt;
    }
    char16_t unit = text_[pos_++];
    switch (unit) {
      case u'd': return ClassAtom{0, CharClass::digits()};
      case u'D': return ClassAtom{0, CharClass::digits().complement()};
      case u'w': return ClassAtom{0, CharClass::wordCharacters()};
      case u'W': return ClassAtom{0, CharClass::wordCharacters().complement()};
      case u's': return ClassAtom{0, CharClass::whiteSpace()};
      case u'S': return ClassAtom{0, CharClass::whiteSpace().complement()};
      case u't': return ClassAtom{u'\t', std::nullopt};
      case u'n': return ClassAtom{u'\n', std::nullopt};
      case u'v': return ClassAtom{u'\v', std::nullopt};
      case u'f': return ClassAtom{u'\f', std::nullopt};
      case u'r': return ClassAtom{u'\r', std::nullopt};
      case u'b':
        if (inClass) return ClassAtom{u'\b', std::nullopt};
        break;
      case u'0':
        if (!isDigit(peek()) || atEnd()) return ClassAtom{u'\0', std::nullopt};
        break;
      case u'x': return hexEscape(2);
      case u'u': return hexEscape(4);
      case u'c':
        if (isAsciiLetter(peek()) && has(0)) return ClassAtom{static_cast<char16_t>(text_[pos_++] % 32), std::nullopt};
        break;
      default:
        if (!isDigit(unit) && !isAsciiLetter(unit)) return ClassAtom{unit, std::nullopt};
        break;
    }
    fail(Status::Unsupported);
    return std::nullopt;
  }

  std::optional<ClassAtom> hexEscape(int digits) {
    int value = 0;
    for (int i = 0; i < digits; ++i) {
      int digit = has(i) ? hexValue(peek(i)) : -1;
      if (digit < 0) {
        fail(Status::Unsupported);
        return std::nullopt;
      }
      value = value * 16 + digit;
    }
    pos_ += digits;
    return ClassAtom{static_cast<char16_t>(value), std::nullopt};
  }

  std::u16string_view text_;
  size_t pos_ = 0;
  Status status_ = Status::Ok;
  SyntaxTree tree_;
};

}  // namespace

ParseResult parsePattern(std::u16string_view pattern) { return Parser(pattern).run(); }

}  // namespace quorvane::regex
