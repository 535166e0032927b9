#include "tests/tools/timeline/timeline_models.h"

#include "host/ms_model_handle.h"
#include "tests/tools/check/check_fixture.h"

namespace quorvel::testing {

host::Model CrowdedModel(int count, std::uint32_t lastFrame, std::uint32_t seed) {
  host::Model model = CleanModel();
  model.totalFrames = static_cast<std::int32_t>(lastFrame);
  model.comment = "OPT_FPS=30\r\nNum Events=0\r\n";
  model.joints[1].comment = "Center Of Interest=Fighter1\r\nNum Events=0\r\n";
  // A small linear congruential generator: the same frames on every run.
  std::uint32_t state = seed;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  std::vector<std::vector<std::string>> rows(3);
  const char* names[] = {"hide", "show", "setEnginePower|100", "death|\"slowly and loudly\""};
  for (int i = 0; i < count; ++i) {
    // A quarter of the events land on one of ten frames, so they stack.
    const std::uint32_t frame =
        next() % 4 == 0 ? (next() % 10) * (lastFrame / 10) : next() % lastFrame;
    std::string text = std::to_string(frame) + "|" + names[next() % 4];
    if (text.find('|', text.find('|') + 1) == std::string::npos) {
      text += "|";
    }
    rows[next() % 3].push_back(text);
  }
  model.joints[2].comment = FollowerComment("ship", "Alpha", rows[0]);
  model.joints[3].comment = FollowerComment("ship", "Fleet", rows[1]);
  model.joints[4].comment = FollowerComment("asteroid", "", rows[2]);
  return model;
}

host::Model FarPastEndModel() {
  host::Model model = CleanModel();
  model.totalFrames = 30;
  model.joints[2].comment =
      FollowerComment("ship", "Alpha", {"5|hide|", "100000|show|", "2000000|hyperspaceOut|"});
  return model;
}

timeline::Sequence SequenceOf(const host::Model& model, const timeline::RowChoice& choice) {
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  check::ModelFacts facts = check::ReadModelFacts(handle, {});
  timeline::Sequence sequence = timeline::BuildSequence(facts, choice);
  msHost_FreeModel(handle);
  return sequence;
}

}  // namespace quorvel::testing
