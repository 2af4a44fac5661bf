#pragma once
// Whether a shop's seller rank is within the credit limit the user chose.
#include <string_view>

namespace quorvane {

// A rank that is no plain number is within no limit: a shop whose credit
// cannot be read is never shown as a low-credit shop, and like any shop
// above the limit it ends its province. A limit of -1 accepts nothing.
bool withinCreditLimit(std::string_view rank, int creditLimit);

}  // namespace quorvane
