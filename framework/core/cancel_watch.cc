#include "framework/core/cancel_watch.h"

#include "framework/core/modal_window.h"

namespace quorvel::ui {

void CancelWatch::RunModal(ModalWindow& window) {
  // The window being run is already on the modal stack.
  const bool outermost = ModalWindow::ModalStack().size() == 1;
  shown_.RunModal(window);
  if (outermost && window.IsEnded() && window.Result() == IDCANCEL) {
    cancelled_ = true;
  }
}

int CancelWatch::ShowMessageBox(const MessageBoxRequest& request) {
  const bool outermost = ModalWindow::ModalStack().empty();
  const int answer = shown_.ShowMessageBox(request);
  if (outermost && answer == IDCANCEL) {
    cancelled_ = true;
  }
  return answer;
}

std::optional<std::string> CancelWatch::ChooseFile(const FileChooserRequest& request) {
  return shown_.ChooseFile(request);
}

std::size_t CancelWatch::FittingLength(const Control& field, std::string_view text) const {
  return shown_.FittingLength(field, text);
}

}  // namespace quorvel::ui
