// Message boxes, shown by the installed backend.
//
//   MessageBox(nullptr, "Overwrite existing attributes?", "Quorvel",
//              MB_YESNOCANCEL | MB_ICONQUESTION);   // IDYES, IDNO or IDCANCEL
//
// With no backend installed a message box cannot be shown and returns 0, as the
// platform call does when it fails.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/constants.h"

namespace quorvel::ui {

class ModalWindow;

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned flags = MB_OK;
  ModalWindow* owner = nullptr;  // nullptr: no owner window

  // The answers the box offers, in button order (IDOK, IDYES, IDNO, IDCANCEL, ...).
  std::vector<int> Buttons() const;
  // The answer Enter gives (MB_DEFBUTTONn, the first button by default).
  int DefaultButton() const;
  // The answer Esc or closing the box gives; 0 when the box cannot be dismissed so
  // (Yes/No, Abort/Retry/Ignore). An OK-only box gives IDOK.
  int EscapeAnswer() const;
  unsigned Icon() const { return flags & MB_ICONMASK; }
};

// owner nullptr: a box with no owner window.
int MessageBox(ModalWindow* owner, std::string_view text, std::string_view caption, unsigned flags);
// Owned by the topmost modal window, captioned with the application's name.
int AfxMessageBox(std::string_view text, unsigned flags = MB_OK);

// The word a script uses for an answer ("ok", "yes", "no", "cancel", ...) and back;
// 0 / empty for unknown ones.
std::string_view AnswerWord(int answer);
int AnswerFromWord(std::string_view word);

}  // namespace quorvel::ui
