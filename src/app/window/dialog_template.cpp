#include "app/window/dialog_template.h"

namespace quorvane {

DialogTemplate::DialogTemplate(DWORD style, Box box, const std::wstring& caption) {
  const DWORD fullStyle = style | DS_SETFONT;
  words_ = {LOWORD(fullStyle), HIWORD(fullStyle), 0, 0};  // style, extended style
  countAt_ = words_.size();
  words_.push_back(0);  // no control yet
  for (short figure : {box.left, box.top, box.width, box.height}) words_.push_back(static_cast<WORD>(figure));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the standard class
  addText(caption);
  words_.push_back(9);  // points
  addText(L"SimSun");
}

void DialogTemplate::add(const wchar_t* windowClass, const std::wstring& text, WORD id, DWORD style, Box box,
                         DWORD exStyle) {
  alignToDword();
  const DWORD fullStyle = style | WS_CHILD | WS_VISIBLE;
  for (WORD word : {LOWORD(fullStyle), HIWORD(fullStyle), LOWORD(exStyle), HIWORD(exStyle)}) words_.push_back(word);
  for (short figure : {box.left, box.top, box.width, box.height}) words_.push_back(static_cast<WORD>(figure));
  words_.push_back(id);
  addText(windowClass);
  addText(text);
  words_.push_back(0);  // no creation data
  ++words_[countAt_];
}

void DialogTemplate::alignToDword() {
  if (words_.size() % 2) words_.push_back(0);
}

void DialogTemplate::addText(const std::wstring& text) {
  words_.insert(words_.end(), text.begin(), text.end());
  words_.push_back(0);
}

}  // namespace quorvane
