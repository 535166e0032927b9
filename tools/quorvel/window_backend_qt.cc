// Real windows for `quorvel edit`, in the module of real windows.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "framework/backends/qt/qt_application.h"
#include "framework/backends/qt/qt_backend.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/exit_when_shown_qt.h"
#include "tools/quorvel/qt_windows.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {
namespace {

// Qt found no window system it could start, and would abort: the command ends as it
// does without a display, at once (nothing has been saved yet).
void EndForWantOfWindows(const std::string& reason) {
  std::cout.flush();
  std::cerr << "quorvel edit: " << NoWindowsMessage(reason) << std::endl;
  std::_Exit(kExitNoWindows);
}

// The Qt backend together with the QApplication it needs, made only once a display
// is known to be there (Qt aborts the program without one).
class QtWindows : public ui::Backend {
 public:
  QtWindows() { InstallEditorProbe(backend_); }

  void RunModal(ui::ModalWindow& window) override { backend_.RunModal(window); }
  int ShowMessageBox(const ui::MessageBoxRequest& request) override {
    return backend_.ShowMessageBox(request);
  }
  std::optional<std::string> ChooseFile(const ui::FileChooserRequest& request) override {
    return backend_.ChooseFile(request);
  }

 private:
  ui::qt::ApplicationScope application_{&EndForWantOfWindows};
  ui::qt::QtBackend backend_;
};

}  // namespace

std::unique_ptr<ui::Backend> qt_windows::OpenWindowBackend(std::string& reason) {
  reason = ui::qt::MissingDisplayReason();
  if (!reason.empty()) {
    return nullptr;
  }
  return std::make_unique<QtWindows>();
}

}  // namespace quorvel::app
