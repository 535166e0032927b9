#pragma once

#include <memory>
#include <string>

#include "host/ms_model_lib.h"

namespace quorvel::app {

struct FreeModel {
  void operator()(msModel* model) const { msHost_FreeModel(model); }
};
using ModelPtr = std::unique_ptr<msModel, FreeModel>;

// Opens a model file through the host library; throws CommandError with the exit
// status for file errors and the library's message (file, section, byte offset).
ModelPtr OpenModelFile(const std::string& path);
// The same for a command that never saves: opening costs no hash of the file.
ModelPtr OpenModelFileForReading(const std::string& path);

}  // namespace quorvel::app
