#include "framework/backends/qt/qt_application.h"

#include <sys/stat.h>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QByteArray>
#include <QMessageLogger>

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

// The platform Qt tries first: "offscreen" of "offscreen:fontengine=freetype;xcb".
std::string_view FirstPlatform(std::string_view value) {
  value = value.substr(0, value.find(';'));
  return value.substr(0, value.find(':'));
}

// Qt says this whenever the session has no XDG_RUNTIME_DIR (a login without a
// session manager, a container, sudo) and then uses a private folder of its own
// under /tmp, created for the user alone. Nothing is wrong and the user can do
// nothing about it, so the program does not pass it on. Every other message
// goes on as Qt says it.
bool IsRuntimeFolderNotice(const QString& text) {
  return text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

QtMessageHandler passOn = nullptr;

void DropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
  if (!IsRuntimeFolderNotice(text) && passOn != nullptr)
    passOn(type, context, text);
}

// What Qt says while a QApplication starts, held back: on success it is said
// afterwards as usual; on failure it becomes the reason handed to the handler.
struct StartMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};
NoPlatformHandler noPlatformHandler = nullptr;
std::vector<StartMessage> startMessages;

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (IsRuntimeFolderNotice(text))
    return;
  if (type != QtFatalMsg) {
    startMessages.push_back({type, QByteArray(context.category), text});
    return;
  }
  std::string reason;
  for (const StartMessage& message : startMessages) {
    QString line = message.text.trimmed();
    while (line.endsWith(QLatin1Char('.')))
      line.chop(1);
    if (line.isEmpty())
      continue;
    reason += reason.empty() ? "" : "; ";
    reason += line.toStdString();
  }
  noPlatformHandler("Qt could start no window system" +
                    (reason.empty() ? std::string() : " (" + reason + ")"));
}

void SayHeldMessages() {
  std::vector<StartMessage> held;
  held.swap(startMessages);
  for (const StartMessage& message : held) {
    const QMessageLogger logger(nullptr, 0, nullptr,
                                message.category.isEmpty() ? nullptr : message.category.data());
    const QByteArray text = message.text.toLocal8Bit();
    switch (message.type) {
      case QtDebugMsg:
        logger.debug("%s", text.constData());
        break;
      case QtInfoMsg:
        logger.info("%s", text.constData());
        break;
      case QtWarningMsg:
        logger.warning("%s", text.constData());
        break;
      case QtCriticalMsg:
      case QtFatalMsg:
        logger.critical("%s", text.constData());
        break;
    }
  }
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
  if (const char* platform = env("QT_QPA_PLATFORM"); IsSet(platform)) {
    const std::string_view first = FirstPlatform(platform);
    if (first == "offscreen" || first == "minimal") {
      return "QT_QPA_PLATFORM=" + std::string(platform) +
             " draws windows on no screen, where nobody could answer them";
    }
    // Any other platform but X is Qt's to try.
    if (first != "xcb")
      return {};
  } else if (IsSet(env("WAYLAND_DISPLAY"))) {
    return {};
  }
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

ApplicationScope::ApplicationScope(NoPlatformHandler onNoPlatform) {
  if (QApplication::instance() != nullptr)
    return;
  passOn = qInstallMessageHandler(&DropRuntimeFolderNotice);
  if (onNoPlatform == nullptr) {
    owned_ = std::make_unique<QApplication>(argc_, argv_);
    return;
  }
  noPlatformHandler = onNoPlatform;
  qInstallMessageHandler(&HoldStartMessage);
  owned_ = std::make_unique<QApplication>(argc_, argv_);
  qInstallMessageHandler(&DropRuntimeFolderNotice);
  noPlatformHandler = nullptr;
  SayHeldMessages();
}

ApplicationScope::~ApplicationScope() {
  if (owned_ == nullptr)
    return;
  owned_.reset();
  qInstallMessageHandler(passOn);
  passOn = nullptr;
}

}  // namespace quorvel::ui::qt
