#pragma once
// A result's text as it goes into a spreadsheet. Shop names come from the
// marketplace, written by sellers: a name such as "=HYPERLINK(...)" would be
// run as a formula by Excel or WPS when the copy or the export is opened.
// Such text gets a leading apostrophe, the spreadsheets' own mark for "this
// is text"; numbers with a sign stay as they are.
#include <string_view>

#include "text/text.h"

namespace quorvane {

bool wouldRunAsFormula(std::string_view text);

// The text, with "'" in front when a spreadsheet would run it as a formula.
LocalText asSpreadsheetText(std::string_view text);

}  // namespace quorvane
