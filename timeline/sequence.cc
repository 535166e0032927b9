#include "timeline/sequence.h"

#include <algorithm>
#include <map>
#include <optional>

#include "attributes/model_record.h"
#include "check/comment_lines.h"
#include "check/event_rules.h"
#include "check/storage_rules.h"
#include "events/event_catalogue.h"
#include "joints/joint_kind.h"

namespace quorvel::timeline {
namespace {

struct NamedCategory {
  std::string_view name;
  EventCategory category;
};

constexpr NamedCategory kCategories[] = {
    {"cameraCut", EventCategory::kCamera},
    {"cameraBlendIn", EventCategory::kCamera},
    {"cameraFadeIn", EventCategory::kCamera},
    {"cameraLeave", EventCategory::kCamera},
    {"focus", EventCategory::kCamera},
    {"focusAtEnd", EventCategory::kCamera},
    {"displayCard", EventCategory::kScreen},
    {"fadeSet", EventCategory::kScreen},
    {"fadeTo", EventCategory::kScreen},
    {"wideScreenIn", EventCategory::kScreen},
    {"wideScreenOut", EventCategory::kScreen},
    {"nisOut", EventCategory::kScreen},
    {"stayFadedAtEnd", EventCategory::kScreen},
    {"runScar", EventCategory::kScreen},
    {"musicStart", EventCategory::kSound},
    {"musicStop", EventCategory::kSound},
    {"musicStartAtEnd", EventCategory::kSound},
    {"musicStartFade", EventCategory::kSound},
    {"musicVolume", EventCategory::kSound},
    {"speechVolume", EventCategory::kSound},
    {"speechSetDir", EventCategory::kSound},
    {"soundEvent", EventCategory::kSound},
    {"speechEvent", EventCategory::kSound},
    {"SFXVolume", EventCategory::kSound},
    {"engineSoundVolume", EventCategory::kSound},
    {"ambientSoundVolume", EventCategory::kSound},
    {"startEffectEvent", EventCategory::kEffect},
    {"triggerEffect", EventCategory::kEffect},
    {"destroyEffect", EventCategory::kEffect},
    {"meshAnimStart", EventCategory::kEffect},
    {"navlightSpeed", EventCategory::kEffect},
    {"navlightPower", EventCategory::kEffect},
    {"lockLOD", EventCategory::kEffect},
};

std::string JointTitle(const check::JointFacts& joint) {
  return joint.name + " (" + std::string(JointKindName(joint.kind)) + ")";
}

std::string ProblemText(const check::Problem& problem) {
  return std::string(check::SeverityName(problem.severity)) + ": " + problem.message + " [" +
         std::string(problem.code) + "]";
}

TimelineRow RowOf(int joint, std::string title, bool muted, check::RecordKind kind,
                  std::string_view comment) {
  TimelineRow row{joint, std::move(title), muted, {}, {}};
  const EventList events = check::LoadRecordEvents(kind, comment);
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].empty()) {
      continue;  // a missing line: no event to draw
    }
    const check::ReadEvent read =
        check::ReadEventText(events[i], kind == check::RecordKind::kModel);
    TimelineEvent event;
    event.index = i;
    event.frame = read.frame;
    event.text = events[i];
    event.name = read.eventText ? read.name : events[i];
    event.value = read.value;
    event.category = CategoryOf(event.name);
    row.events.push_back(std::move(event));
  }
  return row;
}

// "Event12" gives 12.
std::optional<std::size_t> EventIndexOf(std::string_view key) {
  const check::KeyRole role = check::RoleOfKey(check::RecordKind::kModel, key);
  if (role.kind != check::KeyRole::kEvent) {
    return std::nullopt;
  }
  return role.eventIndex;
}

void PlaceProblems(const check::ProblemList& problems, std::vector<TimelineRow>& rows) {
  std::map<int, TimelineRow*> byJoint;
  for (TimelineRow& row : rows) {
    byJoint[row.joint] = &row;
  }
  for (const check::Problem& problem : problems) {
    const auto found = byJoint.find(problem.place.joint);
    if (found == byJoint.end()) {
      continue;
    }
    TimelineRow& row = *found->second;
    const std::optional<std::size_t> index = EventIndexOf(problem.place.key);
    const auto event =
        std::find_if(row.events.begin(), row.events.end(),
                     [&](const TimelineEvent& e) { return index && e.index == *index; });
    if (event != row.events.end()) {
      event->problems.push_back(ProblemText(problem));
    } else {
      row.problems.push_back(ProblemText(problem));
    }
  }
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string_view CategoryName(EventCategory category) {
  switch (category) {
    case EventCategory::kCamera:
      return "camera";
    case EventCategory::kScreen:
      return "screen";
    case EventCategory::kSound:
      return "sound";
    case EventCategory::kShip:
      return "ship";
    case EventCategory::kEffect:
      return "effect";
    case EventCategory::kUnknown:
      return "unknown";
  }
  return "unknown";
}

EventCategory CategoryOf(std::string_view eventName) {
  for (const NamedCategory& entry : kCategories) {
    if (entry.name == eventName) {
      return entry.category;
    }
  }
  // Every other name of the joint-level set is ship behaviour.
  EventCatalogue joint;
  BuildCatalogue(joint, false);
  const bool known = std::any_of(joint.begin(), joint.end(), [&](const EventTypeEntry& entry) {
    return entry.name == eventName;
  });
  return known ? EventCategory::kShip : EventCategory::kUnknown;
}

std::string_view BandKindName(BandKind kind) {
  switch (kind) {
    case BandKind::kCamera:
      return "camera";
    case BandKind::kWideScreen:
      return "wide screen";
    case BandKind::kFade:
      return "fade";
  }
  return "camera";
}

std::vector<Band> BandsOf(const std::vector<TimelineEvent>& modelEvents, std::int64_t axisEnd) {
  std::vector<const TimelineEvent*> events;
  for (const TimelineEvent& event : modelEvents) {
    events.push_back(&event);
  }
  std::stable_sort(
      events.begin(), events.end(),
      [](const TimelineEvent* a, const TimelineEvent* b) { return a->frame < b->frame; });
  std::vector<Band> bands;
  const auto close = [&](std::optional<Band>& open, std::int64_t end) {
    if (open && end > open->begin) {
      open->end = end;
      bands.push_back(*open);
    }
    open.reset();
  };
  std::optional<Band> camera;
  std::optional<Band> wide;
  std::optional<Band> fade;
  for (const TimelineEvent* event : events) {
    const std::int64_t frame = event->frame;
    if (event->name == "cameraCut") {
      close(camera, frame);
      camera = Band{BandKind::kCamera, frame, frame, Unquoted(event->value)};
    } else if (event->name == "wideScreenIn") {
      if (!wide) {
        wide = Band{BandKind::kWideScreen, frame, frame, "wide screen"};
      }
    } else if (event->name == "wideScreenOut") {
      close(wide, frame);
    } else if (event->name == "fadeSet" || event->name == "fadeTo" ||
               event->name == "cameraFadeIn") {
      close(fade, frame);
      fade = Band{BandKind::kFade, frame, frame, event->name + " " + event->value};
    }
  }
  close(camera, axisEnd);
  close(wide, axisEnd);
  close(fade, axisEnd);
  std::stable_sort(bands.begin(), bands.end(),
                   [](const Band& a, const Band& b) { return a.kind < b.kind; });
  return bands;
}

Sequence BuildSequence(const check::ModelFacts& model, const check::ProblemList& problems) {
  Sequence sequence;
  ModelRecord record;
  record.LoadAttributes(model.comment);
  sequence.frameRate = record.frameRate;
  sequence.animationEnd = model.lastFrame;
  sequence.rows.push_back(RowOf(-1, "Model", false, check::RecordKind::kModel, model.comment));
  for (const check::JointFacts& joint : model.joints) {
    if (joint.kind == JointKind::kSkipped) {
      continue;
    }
    const check::RecordKind kind = joint.kind == JointKind::kCamera ? check::RecordKind::kCamera
                                                                    : check::RecordKind::kFollower;
    if (!check::HoldsRecord(kind, joint.comment)) {
      continue;
    }
    sequence.rows.push_back(
        RowOf(joint.index, JointTitle(joint), !joint.marked, kind, joint.comment));
  }
  PlaceProblems(problems, sequence.rows);
  sequence.axisEnd = std::max<std::int64_t>(sequence.animationEnd, 0);
  for (const TimelineRow& row : sequence.rows) {
    for (const TimelineEvent& event : row.events) {
      sequence.axisEnd = std::max<std::int64_t>(sequence.axisEnd, event.frame);
    }
  }
  sequence.bands = BandsOf(sequence.rows.front().events, sequence.axisEnd);
  return sequence;
}

}  // namespace quorvel::timeline
