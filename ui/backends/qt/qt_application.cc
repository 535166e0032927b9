#include "ui/backends/qt/qt_application.h"

#include <sys/stat.h>
#include <cstdlib>
#include <string_view>

#include <QApplication>

namespace quorvel::ui::qt {
namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

// The socket of a local X display (":1", ":1.0", "unix:1"); empty for a display on
// another host, which only connecting could check.
std::string LocalXSocket(std::string_view display) {
  if (display.substr(0, 5) == "unix:")
    display.remove_prefix(4);
  if (display.empty() || display.front() != ':')
    return {};
  display.remove_prefix(1);
  const size_t dot = display.find('.');
  return "/tmp/.X11-unix/X" + std::string(display.substr(0, dot));
}

}  // namespace

std::string MissingDisplayReason() {
  return MissingDisplayReason({[](const char* name) -> const char* { return std::getenv(name); },
                               [](const std::string& path) {
                                 struct stat info {};
                                 return stat(path.c_str(), &info) == 0;
                               }});
}

std::string MissingDisplayReason(const DisplayProbe& probe) {
  const auto env = [&](const char* name) { return probe.getEnv(name); };
  if (IsSet(env("QT_QPA_PLATFORM")) || IsSet(env("WAYLAND_DISPLAY")))
    return {};
  const char* display = env("DISPLAY");
  if (!IsSet(display)) {
    return "no display to show windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
  }
  const std::string socket = LocalXSocket(display);
  if (!socket.empty() && !probe.exists(socket)) {
    return "no X server is running on display " + std::string(display) + " (" + socket +
           " does not exist)";
  }
  return {};
}

ApplicationScope::ApplicationScope() {
  if (QApplication::instance() == nullptr)
    owned_ = std::make_unique<QApplication>(argc_, argv_);
}

ApplicationScope::~ApplicationScope() = default;

}  // namespace quorvel::ui::qt
