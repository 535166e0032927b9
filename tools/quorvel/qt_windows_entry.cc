// The entry of the module of real windows: the one exported function.
#include "tools/quorvel/qt_windows.h"
#include "tools/quorvel/qt_windows_module.h"

namespace quorvel::app {
namespace {

constexpr QtWindowsTable kTable{kQtWindowsVersion,
                                &qt_windows::OpenWindowBackend,
                                &qt_windows::WritePng,
                                &qt_windows::ShowTimelineWindow,
                                &qt_windows::WritePreviewPictures,
                                &qt_windows::ShowPreviewWindow};

}  // namespace
}  // namespace quorvel::app

extern "C" __attribute__((visibility("default"))) const quorvel::app::QtWindowsTable*
QuorvelQtWindows() {
  return &quorvel::app::kTable;
}
