#pragma once
// A dialog template built in memory, as a resource script would describe it:
// the dialog's style, box (in dialog units), caption and font, then its
// controls. The program's small dialogs are made from these, so they need
// no resource file and scale with their font as Windows scales dialogs.
#include <windows.h>

#include <string>
#include <vector>

namespace quorvane {

class DialogTemplate {
 public:
  struct Box {
    short left, top, width, height;
  };
  // `caption` may be empty (a child template); the font is 9-point SimSun,
  // as the main window's.
  DialogTemplate(DWORD style, Box box, const std::wstring& caption);

  // `windowClass`: "BUTTON", "EDIT", "STATIC", ...
  void add(const wchar_t* windowClass, const std::wstring& text, WORD id, DWORD style, Box box, DWORD exStyle = 0);

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void alignToDword();
  void addText(const std::wstring& text);

  std::vector<WORD> words_;
  size_t countAt_ = 0;  // where the number of controls is kept
};

}  // namespace quorvane
