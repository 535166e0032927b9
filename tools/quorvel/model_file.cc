#include "tools/quorvel/model_file.h"

#include "tools/quorvel/command_error.h"

namespace quorvel::app {

namespace {

ModelPtr Opened(msModel* opened) {
  ModelPtr model(opened);
  if (model == nullptr) {
    throw CommandError(kExitFileError, msHost_LastError());
  }
  return model;
}

}  // namespace

ModelPtr OpenModelFile(const std::string& path) {
  return Opened(msHost_OpenModel(path.c_str()));
}

ModelPtr OpenModelFileForReading(const std::string& path) {
  return Opened(msHost_OpenModelForReading(path.c_str()));
}

}  // namespace quorvel::app
