#include "tools/nis/sequence_reader.h"

#include <algorithm>

#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"
#include "tools/check/event_rules.h"

namespace quorvel::nis {
namespace {

std::vector<TimedEvent> EventsOf(EventList& texts, bool modelLevel, std::int64_t& lastFrame) {
  std::vector<TimedEvent> events;
  events.reserve(texts.size());
  for (std::string& text : texts) {
    check::ReadEvent read = check::ReadEventText(text, modelLevel);
    if (!read.eventText) {
      continue;  // a missing line, or a text with no event name
    }
    lastFrame = std::max<std::int64_t>(lastFrame, read.frame);
    events.push_back({read.frame, std::move(read.name), std::move(read.value), std::move(text)});
  }
  return events;
}

}  // namespace

SequenceInput ReadSequenceInput(const check::ModelFacts& model) {
  SequenceInput input;
  input.lastFrame = std::max<std::int64_t>(model.lastFrame, 0);
  ModelRecord record;
  record.LoadAttributes(model.comment);
  input.frameRate = record.frameRate;
  input.modelEvents = EventsOf(record.events, true, input.lastFrame);
  std::stable_sort(input.modelEvents.begin(), input.modelEvents.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
  input.joints.reserve(model.joints.size());
  for (const check::JointFacts& facts : model.joints) {
    SequenceJoint& joint = input.joints.emplace_back();
    joint.name = facts.name;
    if (facts.kind == JointKind::kCamera) {
      joint.role = JointRole::kCamera;
      CameraRecord camera;
      camera.LoadAttributes(facts.comment);
      joint.centreOfInterest = std::move(camera.centerOfInterest);
      joint.events = EventsOf(camera.events, false, input.lastFrame);
    } else if (facts.kind != JointKind::kSkipped) {
      joint.role = JointRole::kFollower;
      FollowerRecord follower;
      follower.LoadAttributes(facts.comment);
      joint.events = EventsOf(follower.events, false, input.lastFrame);
    }
  }
  return input;
}

}  // namespace quorvel::nis
