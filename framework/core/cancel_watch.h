#pragma once

#include "framework/core/backend.h"

namespace quorvel::ui {

// A backend that hands every window to another and notes whether the user cancelled
// the run as a whole: closed the outermost window (the sheet) with Cancel or its
// close box, or answered Cancel in a message box shown with no window open (the
// question after the sheet). The host cannot tell otherwise: a cancelled run and an
// OK that changed nothing both leave the comments as they were.
class CancelWatch : public Backend {
 public:
  explicit CancelWatch(Backend& shown) : shown_(shown) {}

  bool Cancelled() const { return cancelled_; }

  void RunModal(ModalWindow& window) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  std::size_t FittingLength(const Control& field, std::string_view text) const override;

 private:
  Backend& shown_;
  bool cancelled_ = false;
};

}  // namespace quorvel::ui
