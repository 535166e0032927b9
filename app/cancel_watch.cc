#include "app/cancel_watch.h"

#include "ui/framework/modal_window.h"

namespace quorvel::app {

void CancelWatch::RunModal(ui::ModalWindow& window) {
  // The window being run is already on the modal stack.
  const bool outermost = ui::ModalWindow::ModalStack().size() == 1;
  shown_.RunModal(window);
  if (outermost && window.IsEnded() && window.Result() == ui::IDCANCEL) {
    cancelled_ = true;
  }
}

int CancelWatch::ShowMessageBox(const ui::MessageBoxRequest& request) {
  const bool outermost = ui::ModalWindow::ModalStack().empty();
  const int answer = shown_.ShowMessageBox(request);
  if (outermost && answer == ui::IDCANCEL) {
    cancelled_ = true;
  }
  return answer;
}

std::optional<std::string> CancelWatch::ChooseFile(const ui::FileChooserRequest& request) {
  return shown_.ChooseFile(request);
}

std::size_t CancelWatch::FittingLength(const ui::Control& field, std::string_view text) const {
  return shown_.FittingLength(field, text);
}

}  // namespace quorvel::app
