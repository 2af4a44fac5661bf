#pragma once
// What a result row shows once its seller's presence is known: the two
// status columns and the row's look.
#include <optional>

#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

// Nothing for an undetermined presence: the row then keeps empty status
// columns and its look, and the history is not consulted.
std::optional<RowStatus> rowStatus(const LocalText& presence, const LocalText& history,
                                   const LocalText& sellerId);

}  // namespace quorvane
