// The window seams (window_backend.h, timeline_output.h, preview_output.h) in a build with the Qt
// backend: served by the module of real windows, loaded on the first call, so that
// the commands that show nothing never load Qt.
#include <dlfcn.h>

#include <string>

#include "tools/quorvel/command_error.h"
#include "tools/quorvel/module_path.h"
#include "tools/quorvel/preview_output.h"
#include "tools/quorvel/qt_windows_module.h"
#include "tools/quorvel/timeline_output.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {
namespace {

// The module's table, or why there is none.
struct LoadedWindows {
  const QtWindowsTable* table = nullptr;
  std::string failure;
};

LoadedWindows Load(const std::string& path) {
  const std::string module = "the module of real windows " + path;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return {nullptr, module + " cannot be loaded: " + dlerror()};
  }
  auto entry = reinterpret_cast<QtWindowsEntryFunction>(dlsym(handle, kQtWindowsEntry));
  const QtWindowsTable* table = entry != nullptr ? entry() : nullptr;
  std::string failure;
  if (table == nullptr) {
    failure = module + " exports no " + kQtWindowsEntry + " function";
  } else if (table->version != kQtWindowsVersion) {
    failure = module + " is of version " + std::to_string(table->version) +
              ", this quorvel needs version " + std::to_string(kQtWindowsVersion);
  }
  if (!failure.empty()) {
    dlclose(handle);
    return {nullptr, failure};
  }
  // Never unloaded: the backend it made and Qt's own objects live in it until the
  // process ends.
  return {table, {}};
}

const LoadedWindows& Windows() {
  static const LoadedWindows loaded = Load(ModuleBesideProgram(kQtWindowsModuleFileName));
  return loaded;
}

}  // namespace

std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason) {
  const LoadedWindows& windows = Windows();
  if (windows.table == nullptr) {
    reason = windows.failure;
    return nullptr;
  }
  return windows.table->openWindowBackend(reason);
}

void WritePng(const timeline::Sequence& sequence, const timeline::View& view,
              const std::string& heading, const std::string& path) {
  const LoadedWindows& windows = Windows();
  if (windows.table == nullptr) {
    throw CommandError(kExitUsage, windows.failure + "; write the picture as .svg");
  }
  windows.table->writePng(sequence, view, heading, path);
}

int ShowTimelineWindow(const timeline::Sequence& sequence, const timeline::View& view,
                       const std::string& heading) {
  const LoadedWindows& windows = Windows();
  if (windows.table == nullptr) {
    throw CommandError(kExitNoWindows, "cannot show a window: " + windows.failure +
                                           ". Write the picture with -o FILE.svg instead.");
  }
  return windows.table->showTimelineWindow(sequence, view, heading);
}

void WritePreviewPictures(const PreviewModel& model, const PreviewPictures& pictures) {
  const LoadedWindows& windows = Windows();
  if (windows.table == nullptr) {
    throw CommandError(kExitNoWindows, "cannot draw the preview: " + windows.failure);
  }
  windows.table->writePreviewPictures(model, pictures);
}

int ShowPreviewWindow(const PreviewModel& model, std::int64_t first) {
  const LoadedWindows& windows = Windows();
  if (windows.table == nullptr) {
    throw CommandError(kExitNoWindows, "cannot show a window: " + windows.failure +
                                           ". Write pictures with -o FILE.png --frame N instead.");
  }
  return windows.table->showPreviewWindow(model, first);
}

}  // namespace quorvel::app
