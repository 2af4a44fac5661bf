#pragma once
// What a result row shows once its seller's presence is known: the two
// status columns and the row's colours.
#include <optional>

#include "app/result_table.h"
#include "text/text.h"

namespace quorvane {

struct RowStatus {
  LocalText presence;  // column 7
  LocalText contact;   // column 8
  std::optional<Colour> background;
  std::optional<Colour> textColour;
};

// Nothing for an undetermined presence: the row then keeps empty status
// columns and its colours, and the history is not consulted.
std::optional<RowStatus> rowStatus(const LocalText& presence, const LocalText& history,
                                   const LocalText& sellerId);

// Writes the status of row `row` (columns 7 and 8, colours over 1 to 8).
void applyRowStatus(ResultTable& table, int row, const RowStatus& status);

}  // namespace quorvane
