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

// Keeps the list of open windows right on every way out of a window's run.
class QtBackend::Opened {
 public:
  Opened(QtBackend& backend, OpenWindow entry) : backend_(backend) {
    backend_.open_.push_back(entry);
    if (backend_.onShown_)
      backend_.onShown_();
  }
  ~Opened() { backend_.open_.pop_back(); }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;

  bool Outermost() const { return backend_.open_.size() == 1; }

 private:
  QtBackend& backend_;
};

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() = default;

QWidget* QtBackend::Topmost() const {
  return open_.empty() ? nullptr : open_.back().Widget();
}

void QtBackend::RunModal(ModalWindow& window) {
  error_.Raise(open_.empty());
  QtWindow view(window, *this, Topmost());
  bool outermost = false;
  {
    Opened opened(*this, {&view, nullptr, nullptr});
    outermost = opened.Outermost();
    view.Run();
  }
  error_.Raise(outermost);
}

int QtBackend::ShowMessageBox(const MessageBoxRequest& request) {
  error_.Raise(open_.empty());
  MessageBoxView box(request, Topmost());
  bool outermost = false;
  {
    Opened opened(*this, {nullptr, &box, nullptr});
    outermost = opened.Outermost();
    box.exec();
  }
  error_.Raise(outermost);
  return box.Answer();
}

std::optional<std::string> QtBackend::ChooseFile(const FileChooserRequest& request) {
  error_.Raise(open_.empty());
  FileChooserView chooser(request, Topmost());
  bool outermost = false;
  {
    Opened opened(*this, {nullptr, nullptr, &chooser});
    outermost = opened.Outermost();
    chooser.exec();
  }
  error_.Raise(outermost);
  return chooser.Chosen();
}

void QtBackend::Abort(std::exception_ptr error) {
  error_.Keep(std::move(error));
  // Innermost first: each loop returns to the one below, which then ends too.
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
    if (it->window != nullptr)
      it->window->Abandon();
    if (it->message != nullptr)
      it->message->Abandon();
    if (it->file != nullptr)
      it->file->Abandon();
  }
}

}  // namespace quorvel::ui::qt
