#include "tests/tools/check/check_fixture.h"

#include "host/ms_model_handle.h"
#include "plugin/attributes/follower_record.h"

namespace quorvel::testing {

host::Model CleanModel() {
  host::Model model;
  model.meshes.resize(1);
  model.totalFrames = 300;
  model.framesPerSecond = 30;
  model.comment =
      "OPT_FPS=30\r\nNum Events=2\r\nEvent0=0|cameraCut|\"CAM_Main\"\r\n"
      "Event1=30|wideScreenIn|.50\r\n";
  model.joints = {
      {"ZU2_Root", 0, ""},
      {"CAM_Main", 1, "Center Of Interest=Fighter1\r\nNum Events=1\r\nEvent0=10|hide|\r\n"},
      {"Fighter1", 1, FollowerComment("ship", "Alpha", {"20|attack|\"Mother\""})},
      {"Mother", 1, FollowerComment("ship", "Fleet", {})},
      {"Rock", 0, FollowerComment("asteroid", "", {})},
  };
  return model;
}

std::string FollowerComment(const std::string& type, const std::string& name,
                            const std::vector<std::string>& events) {
  FollowerRecord record;
  record.sobGroupType = type;
  record.sobGroupName = name;
  record.events = events;
  std::string text;
  record.SaveAttributes(text);
  return text;
}

check::ProblemList CheckInMemory(const host::Model& model, const check::CheckOptions& options) {
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  check::ProblemList problems = check::CheckModel(handle, options);
  msHost_FreeModel(handle);
  return problems;
}

}  // namespace quorvel::testing
