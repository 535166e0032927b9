// What the module of real windows, libquorvel_qt_windows.so, hands the quorvel
// command. The command links no Qt: the module carries the Qt backend, the
// timeline's Qt outputs and the preview's OpenGL drawing, and is loaded only when a command shows a
// window or paints a PNG (window_backend_module.cc). It exports one C function, kQtWindowsEntry,
// that returns this table; everything else in it is hidden.
//
// Program and module share the dialog framework (libquorvel_framework.so) and the
// C++ runtime, so the functions take and return C++ types and throw CommandError as
// the command's own code does.
#pragma once

#include <memory>
#include <string>

#include "framework/core/backend.h"
#include "tools/quorvel/preview_output.h"
#include "tools/timeline/layout.h"

namespace quorvel::app {

inline constexpr char kQtWindowsModuleFileName[] = "libquorvel_qt_windows.so";
inline constexpr char kQtWindowsEntry[] = "QuorvelQtWindows";
// Raised whenever the table changes, so that a module left from another build is
// refused instead of called through the wrong layout.
inline constexpr int kQtWindowsVersion = 2;

struct QtWindowsTable {
  int version;  // first, whatever the version
  // As OpenWindowBackend in window_backend.h.
  std::unique_ptr<ui::Backend> (*openWindowBackend)(std::string& reason);
  // As WritePng and ShowTimelineWindow in timeline_output.h.
  void (*writePng)(const timeline::Sequence& sequence, const timeline::View& view,
                   const std::string& heading, const std::string& path);
  int (*showTimelineWindow)(const timeline::Sequence& sequence, const timeline::View& view,
                            const std::string& heading);
  // As WritePreviewPictures and ShowPreviewWindow in preview_output.h.
  void (*writePreviewPictures)(const PreviewModel& model, const PreviewPictures& pictures);
  int (*showPreviewWindow)(const PreviewModel& model, std::int64_t first);
};

using QtWindowsEntryFunction = const QtWindowsTable* (*)();

}  // namespace quorvel::app
