// The Qt side of the command's windows, inside the module of real windows
// (qt_windows_module.h): what window_backend.h and timeline_output.h promise, done
// with Qt. The command reaches these only through the module's table.
#pragma once

#include <memory>
#include <string>

#include "framework/core/backend.h"
#include "tools/quorvel/preview_output.h"
#include "tools/timeline/layout.h"

namespace quorvel::app::qt_windows {

// window_backend_qt.cc
std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason);

// tools/timeline/output_qt.cc
void WritePng(const timeline::Sequence& sequence, const timeline::View& view,
              const std::string& heading, const std::string& path);
int ShowTimelineWindow(const timeline::Sequence& sequence, const timeline::View& view,
                       const std::string& heading);

// preview_output_qt.cc
void WritePreviewPictures(const PreviewModel& model, const PreviewPictures& pictures);
int ShowPreviewWindow(const PreviewModel& model, std::int64_t first);

}  // namespace quorvel::app::qt_windows
