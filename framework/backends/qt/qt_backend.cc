#include "framework/backends/qt/qt_backend.h"

#include "framework/backends/qt/file_chooser_view.h"
#include "framework/backends/qt/message_box_view.h"
#include "framework/backends/qt/qt_window.h"

namespace quorvel::ui::qt {

QWidget* OpenWindow::Widget() const {
  if (window != nullptr)
    return window;
  if (message != nullptr)
    return message;
  return file;
}

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() = default;

QWidget* QtBackend::Topmost() const {
  return OpenWindows().empty() ? nullptr : OpenWindows().back().Widget();
}

void QtBackend::RunModal(ModalWindow& window) {
  RaiseKept();
  QtWindow view(window, *this, Topmost());
  RunOpen({&view, nullptr, nullptr}, [&] {
    WindowShown();
    view.Run();
  });
}

int QtBackend::ShowMessageBox(const MessageBoxRequest& request) {
  RaiseKept();
  MessageBoxView box(request, Topmost());
  RunOpen({nullptr, &box, nullptr}, [&] {
    WindowShown();
    box.exec();
  });
  return box.Answer();
}

std::optional<std::string> QtBackend::ChooseFile(const FileChooserRequest& request) {
  RaiseKept();
  FileChooserView chooser(request, Topmost());
  RunOpen({nullptr, nullptr, &chooser}, [&] {
    WindowShown();
    chooser.exec();
  });
  return chooser.Chosen();
}

void QtBackend::Abandon(const OpenWindow& open) {
  if (open.window != nullptr)
    open.window->Abandon();
  if (open.message != nullptr)
    open.message->Abandon();
  if (open.file != nullptr)
    open.file->Abandon();
}

}  // namespace quorvel::ui::qt
