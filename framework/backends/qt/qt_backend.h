// QtBackend: the framework's windows as real Qt widgets (library quorvel_qt).
//
// A QApplication must exist (see qt_application.h). Each RunModal shows a QtWindow
// and runs its event loop until the framework ends the window; message boxes and the
// file chooser are a QMessageBox and a non-native QFileDialog.
//
//   QtBackend backend;
//   BackendScope scope(&backend);
//   plugIn->Run(model);
//
// Qt must never see an exception pass through its event loop. Whatever the framework
// or a script player raises inside a window's loop is caught, every open window is
// closed, and the exception is raised again from RunModal (or ShowMessageBox,
// ChooseFile) once the loops have unwound (window_stack_backend.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "framework/core/window_stack_backend.h"

class QWidget;

namespace quorvel::ui::qt {

class QtWindow;
class MessageBoxView;
class FileChooserView;

// One window open now: exactly one of the three is set.
struct OpenWindow {
  QtWindow* window = nullptr;
  MessageBoxView* message = nullptr;
  FileChooserView* file = nullptr;

  QWidget* Widget() const;
};

class QtBackend : public WindowStackBackend<OpenWindow> {
 public:
  QtBackend();
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  void RunModal(ModalWindow& window) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;

  // Called each time a sheet is shown, once it has its native window: for a program
  // that watches its editor come up (the quorvel command's timing probe).
  void SetSheetShownHandler(std::function<void(QtWindow&)> handler) {
    onSheetShown_ = std::move(handler);
  }
  // What a sheet's QtWindow calls when it is shown.
  void SheetShown(QtWindow& sheet) const {
    if (onSheetShown_)
      onSheetShown_(sheet);
  }

 private:
  QWidget* Topmost() const;
  void Abandon(const OpenWindow& open) override;

  std::function<void(QtWindow&)> onSheetShown_;
};

}  // namespace quorvel::ui::qt
