// What a program needs before it shows real windows: a display, and one
// QApplication.
//
//   if (std::string why = MissingDisplayReason(); !why.empty()) { report(why); return; }
//   ApplicationScope application;   // creates the QApplication unless one exists
//   QtBackend backend;
#ifndef QUORVEL_UI_BACKENDS_QT_QT_APPLICATION_H_
#define QUORVEL_UI_BACKENDS_QT_QT_APPLICATION_H_

#include <functional>
#include <memory>
#include <string>

class QApplication;

namespace quorvel::ui::qt {

// Why no window can be shown, or empty when one can: the environment names no
// display (DISPLAY, WAYLAND_DISPLAY) and no Qt platform (QT_QPA_PLATFORM), or the
// local X display it names has no server socket.
std::string MissingDisplayReason();

// The same, reading the environment and the file system through the given calls.
struct DisplayProbe {
  std::function<const char*(const char*)> getEnv;
  std::function<bool(const std::string&)> exists;
};
std::string MissingDisplayReason(const DisplayProbe& probe);

// Creates the QApplication for its lifetime when none exists yet.
class ApplicationScope {
 public:
  ApplicationScope();
  ~ApplicationScope();
  ApplicationScope(const ApplicationScope&) = delete;
  ApplicationScope& operator=(const ApplicationScope&) = delete;

 private:
  int argc_ = 1;
  char name_[8] = "quorvel";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> owned_;
};

}  // namespace quorvel::ui::qt

#endif  // QUORVEL_UI_BACKENDS_QT_QT_APPLICATION_H_
