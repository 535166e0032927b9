#pragma once

#include "ui/framework/backend.h"

namespace quorvel::app {

// A backend that hands every window to another and notes whether the user cancelled
// the run as a whole: closed the outermost window (the sheet) with Cancel or its
// close box, or answered Cancel in a message box shown with no window open (the
// question after the sheet). The host cannot tell otherwise: a cancelled run and an
// OK that changed nothing both leave the comments as they were.
class CancelWatch : public ui::Backend {
 public:
  explicit CancelWatch(ui::Backend& shown) : shown_(shown) {}

  bool Cancelled() const { return cancelled_; }

  void RunModal(ui::ModalWindow& window) override;
  int ShowMessageBox(const ui::MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const ui::FileChooserRequest& request) override;
  std::size_t FittingLength(const ui::Control& field, std::string_view text) const override;

 private:
  ui::Backend& shown_;
  bool cancelled_ = false;
};

}  // namespace quorvel::app
