// What the preview asks for each frame it draws: the sequence's state at one frame,
// on a busy sequence. The window calls NisTimeline::At once a frame.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/nis/nis_state.h"

namespace quorvel::nis {
namespace {

constexpr std::int64_t kFrames = 30000;

TimedEvent Event(std::int64_t frame, std::string name, std::string value) {
  return {frame, name, value, std::to_string(frame) + "|" + name + "|" + value};
}

// `joints` joints, a third of them cameras, each hiding and showing 40 times; the
// model's list cuts, fades, goes wide screen, shows cards and plays sounds, one event
// in every three frames.
SequenceInput BusySequence(int joints) {
  SequenceInput input;
  input.frameRate = 30;
  input.lastFrame = kFrames;
  const char* kModel[][2] = {{"cameraCut", "\"CAM_0\""},  {"fadeTo", ".50 1"},
                             {"wideScreenIn", ".50"},     {"displayCard", "\"Chapter\""},
                             {"soundEvent", "\"a.wav\""}, {"wideScreenOut", "1"}};
  for (std::int64_t frame = 0; frame < kFrames; frame += 3) {
    const auto* row = kModel[(frame / 3) % 6];
    input.modelEvents.push_back(Event(frame, row[0], row[1]));
  }
  for (int i = 0; i < joints; ++i) {
    SequenceJoint& joint = input.joints.emplace_back();
    joint.role = i % 3 == 0 ? JointRole::kCamera : JointRole::kFollower;
    joint.name = (i % 3 == 0 ? "CAM_" : "Ship") + std::to_string(i);
    for (std::int64_t frame = i; frame < kFrames; frame += kFrames / 40) {
      joint.events.push_back(Event(frame, (frame / (kFrames / 40)) % 2 == 0 ? "hide" : "show", ""));
    }
  }
  return input;
}

void BM_NisStateAtAFrame(benchmark::State& state) {
  const NisTimeline timeline(BusySequence(static_cast<int>(state.range(0))));
  std::int64_t frame = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(timeline.At(frame));
    frame = (frame + 7919) % kFrames;
  }
}
BENCHMARK(BM_NisStateAtAFrame)->Arg(128)->Arg(4096)->Unit(benchmark::kMicrosecond);

void BM_NisTimelineBuilt(benchmark::State& state) {
  const SequenceInput input = BusySequence(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(NisTimeline(input));
  }
}
BENCHMARK(BM_NisTimelineBuilt)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::nis
