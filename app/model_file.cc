#include "app/model_file.h"

#include "app/command_error.h"

namespace quorvel::app {

ModelPtr OpenModelFile(const std::string& path) {
  ModelPtr model(msHost_OpenModel(path.c_str()));
  if (model == nullptr) {
    throw CommandError(kExitFileError, msHost_LastError());
  }
  return model;
}

}  // namespace quorvel::app
