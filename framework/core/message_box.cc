#include "framework/core/message_box.h"

#include <algorithm>
#include <stdexcept>

#include "framework/core/application.h"
#include "framework/core/backend.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {

std::vector<int> MessageBoxRequest::Buttons() const {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

int MessageBoxRequest::DefaultButton() const {
  const std::vector<int> buttons = Buttons();
  const size_t index = (flags & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

int MessageBoxRequest::EscapeAnswer() const {
  const std::vector<int> buttons = Buttons();
  if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end())
    return IDCANCEL;
  return (flags & MB_TYPEMASK) == MB_OK ? IDOK : 0;
}

int MessageBox(ModalWindow* owner, std::string_view text, std::string_view caption,
               unsigned flags) {
  Backend* backend = CurrentBackend();
  if (backend == nullptr)
    return 0;
  MessageBoxRequest request{std::string(text), std::string(caption), flags, owner};
  const int answer = backend->ShowMessageBox(request);
  const std::vector<int> offered = request.Buttons();
  if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
    throw std::logic_error("the backend answered a message box with a button it does not offer");
  }
  return answer;
}

int AfxMessageBox(std::string_view text, unsigned flags) {
  const auto& stack = ModalWindow::ModalStack();
  return MessageBox(stack.empty() ? nullptr : stack.back(), text, AfxGetAppName(), flags);
}

std::string_view AnswerWord(int answer) {
  switch (answer) {
    case IDOK:
      return "ok";
    case IDCANCEL:
      return "cancel";
    case IDABORT:
      return "abort";
    case IDRETRY:
      return "retry";
    case IDIGNORE:
      return "ignore";
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    default:
      return {};
  }
}

int AnswerFromWord(std::string_view word) {
  for (int answer : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    if (AnswerWord(answer) == word)
      return answer;
  }
  return 0;
}

}  // namespace quorvel::ui
