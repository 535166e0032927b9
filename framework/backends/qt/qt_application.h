// What a program needs before it shows real windows: a display, and one
// QApplication.
//
//   if (std::string why = MissingDisplayReason(); !why.empty()) { report(why); return; }
//   ApplicationScope application(&EndForWantOfWindows);  // unless a QApplication exists
//   QtBackend backend;
#pragma once

#include <functional>
#include <memory>
#include <string>

class QApplication;

namespace quorvel::ui::qt {

// Why no window can be shown to a person, or empty when one can: the environment
// names no display (DISPLAY, WAYLAND_DISPLAY) and no Qt platform (QT_QPA_PLATFORM),
// the local X display it names has no server socket, or the platform it names draws
// on no screen (offscreen, minimal). A display that only connecting could check is
// left to Qt, which tells when it starts (see ApplicationScope).
std::string MissingDisplayReason();

// The same, reading the environment and the file system through the given calls.
struct DisplayProbe {
  std::function<const char*(const char*)> getEnv;
  std::function<bool(const std::string&)> exists;
};
std::string MissingDisplayReason(const DisplayProbe& probe);

// Called, with what Qt said, when Qt finds while it starts that it can show no
// window at all (no platform plugin would start: an X display that does not answer,
// a Wayland one without the plugin). Qt would abort the program right after: the
// handler ends it itself, with its own message and status, and never returns.
using NoPlatformHandler = void (*)(const std::string& reason);

// Creates the QApplication for its lifetime when none exists yet. Without a
// handler, a failure to start is Qt's own abort. For as long, Qt's notice that
// XDG_RUNTIME_DIR is not set (after which it uses a private folder of its own) is
// not passed on: the user can do nothing about it; every other message is.
class ApplicationScope {
 public:
  explicit ApplicationScope(NoPlatformHandler onNoPlatform = nullptr);
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
