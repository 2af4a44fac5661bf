#pragma once
// 关键词输入框: an edit box with a drop-down list of the keywords searched
// last (an editable combo box, at the edit box's place and size). Enter
// starts a search as in the edit box, unless the list is open (then it
// takes the chosen item). Several keywords go into the one line separated
// by "；": text pasted over several lines arrives that way.
#include <windows.h>

#include <string>
#include <vector>

#include "text/text.h"

namespace quorvane {

// Subclasses the box's edit; Enter is reported to the top-level window as
// kEnterPressedMessage with the combo box's control id.
void attachKeywordBox(HWND comboBox);

// The list's items, newest first; the box's text stays as it is.
void showRecentKeywords(HWND comboBox, const std::vector<LocalText>& keywords);

// Pasted text on one line: each run of line breaks between two pieces
// becomes one "；", those at either end go.
std::wstring keywordsOnOneLine(const std::wstring& pasted);

}  // namespace quorvane
