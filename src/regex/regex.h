#pragma once
// A compiled pattern and the matches it finds in a UTF-16 subject.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "regex/field_shape.h"
#include "regex/status.h"

namespace quorvane::regex {

struct Program;

struct RegexOptions {
  bool ignoreCase = false;
  bool multiline = false;
  bool global = false;  // every match, or only the first
};

// The matches of one run, in order; per match two bounds per group (group 0
// is the whole match), in code units, -1 for a group that took no part.
class MatchList {
 public:
  explicit MatchList(int groupCount = 0) : groupCount_(groupCount) {}

  size_t size() const { return bounds_.size() / boundsPerMatch(); }
  bool empty() const { return bounds_.empty(); }
  int groupCount() const { return groupCount_; }
  bool participated(size_t match, int group) const { return start(match, group) >= 0; }
  std::int32_t start(size_t match, int group) const { return bounds_[match * boundsPerMatch() + 2 * group]; }
  std::int32_t end(size_t match, int group) const { return bounds_[match * boundsPerMatch() + 2 * group + 1]; }
  std::u16string_view text(std::u16string_view subject, size_t match, int group) const;

  void append(const std::vector<std::int32_t>& bounds);

 private:
  size_t boundsPerMatch() const { return 2 * static_cast<size_t>(groupCount_ + 1); }

  int groupCount_;
  std::vector<std::int32_t> bounds_;
};

class Regex {
 public:
  Regex(std::u16string_view pattern, RegexOptions options);

  Status status() const { return status_; }
  bool ok() const { return status_ == Status::Ok; }
  int groupCount() const;
  const RegexOptions& options() const { return options_; }
  // The two literals when the pattern is of the field shape, else null.
  const FieldShape* fieldShape() const;

  // Matches from the start of the subject; after an empty match the next
  // search begins one unit further on. Empty when the pattern is not ok.
  // A pattern of the field shape runs as two literal scans, every other
  // on the Pike VM.
  MatchList findAll(std::u16string_view subject) const;

 private:
  Status status_;
  RegexOptions options_;
  std::shared_ptr<const Program> program_;
};

}  // namespace quorvane::regex
