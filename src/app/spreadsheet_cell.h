#pragma once
// A result's text as it goes into a spreadsheet, by copy or by export.
//
// Shop names come from the marketplace, written by sellers: a name such as
// "=HYPERLINK(...)" would be run as a formula by Excel or WPS when the copy
// or the export is opened. Such text gets a leading apostrophe, the
// spreadsheets' own mark for "this is text"; numbers with a sign stay as
// they are.
//
// The texts of many cells are joined with separators and converted in one
// piece, so each cell must be whole characters: a lead byte without its
// second byte would take the separator after it for one, and a NUL would end
// the conversion there. Such bytes become "?" and are dropped.
#include <string_view>

#include "text/text.h"

namespace quorvane {

bool wouldRunAsFormula(std::string_view text);

// Whole GBK characters only: a lead byte without a valid second byte becomes
// "?", NUL bytes are left out.
LocalText wholeCharacters(std::string_view text);

// The text in whole characters, with "'" in front when a spreadsheet would
// run it as a formula.
LocalText asSpreadsheetText(std::string_view text);

}  // namespace quorvane
