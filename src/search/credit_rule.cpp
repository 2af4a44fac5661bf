#include "search/credit_rule.h"

#include "search/plain_number.h"

namespace quorvane {

bool withinCreditLimit(std::string_view rank, int creditLimit) {
  auto value = plainNumber(rank);
  return value && *value <= creditLimit;
}

}  // namespace quorvane
