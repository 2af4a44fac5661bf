#pragma once
// Reading a number the marketplace wrote into its page. Only a plain decimal
// counts (digits, optionally surrounded by spaces); a sign, a fraction, any
// other character or a value too large for the search to use is no number.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// Large enough for any real listing, small enough that offsets never overflow.
constexpr std::int64_t kLargestPlainNumber = 1'000'000'000'000'000;

std::optional<std::int64_t> plainNumber(std::string_view text);

}  // namespace quorvane
