#include "tools/timeline/sequence.h"

#include <algorithm>
#include <optional>
#include <set>

#include "plugin/attributes/model_record.h"
#include "plugin/events/event_catalogue.h"
#include "plugin/joints/joint_kind.h"
#include "tools/check/comment_lines.h"
#include "tools/check/event_rules.h"
#include "tools/check/model_check.h"
#include "tools/check/storage_rules.h"
#include "tools/nis/event_effects.h"

namespace quorvel::timeline {
namespace {

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
  EventList events = check::LoadRecordEvents(kind, comment);
  row.events.reserve(static_cast<std::size_t>(std::count_if(
      events.begin(), events.end(), [](const std::string& e) { return !e.empty(); })));
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].empty()) {
      continue;  // a missing line: no event to draw
    }
    row.events.push_back(ReadTimelineEvent(i, std::move(events[i])));
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

// Puts the problems of the row's record at their events, the rest on the row. Only
// problems placed on the row's joint count (the model's comment for the model's).
void PlaceProblems(const check::ProblemList& problems, TimelineRow& row,
                   std::unordered_set<std::string>& texts) {
  // By an event's position in the record's list, its position in row.events + 1.
  std::vector<std::size_t> at;
  for (std::size_t k = 0; k < row.events.size(); ++k) {
    const std::size_t index = row.events[k].index;
    if (index >= at.size()) {
      at.resize(index + 1, 0);
    }
    at[index] = k + 1;
  }
  for (const check::Problem& problem : problems) {
    if (problem.place.joint != row.joint) {
      continue;
    }
    const std::optional<std::size_t> index = EventIndexOf(problem.place.key);
    const std::string_view text = *texts.insert(ProblemText(problem)).first;
    if (index && *index < at.size() && at[*index] != 0) {
      row.events[at[*index] - 1].problems.push_back(text);
    } else {
      row.problems.push_back(text);
    }
  }
}

// Whether the record in `comment` holds an event in the frames `from` to `to`.
bool HoldsEventIn(check::RecordKind kind, std::string_view comment, std::int64_t from,
                  std::optional<std::int64_t> to) {
  for (const std::string& text : check::LoadRecordEvents(kind, comment)) {
    if (text.empty()) {
      continue;
    }
    const std::int64_t frame = check::ReadEventText(text, kind == check::RecordKind::kModel).frame;
    if (frame >= from && (!to || frame <= *to)) {
      return true;
    }
  }
  return false;
}

std::string FramesText(std::int64_t from, std::optional<std::int64_t> to) {
  return to ? "frames " + std::to_string(from) + " to " + std::to_string(*to)
            : "frames from " + std::to_string(from);
}

std::string Rows(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " row" : " rows");
}

std::string LeftOutNote(std::size_t candidates, std::size_t drawn, bool full, std::size_t limit,
                        std::int64_t from, std::optional<std::int64_t> to) {
  const std::size_t leftOut = candidates - drawn;
  if (leftOut == 0) {
    return {};
  }
  if (!full) {
    return "More than " + std::to_string(limit) + " rows: " + Rows(leftOut) + " with no event in " +
           FramesText(from, to) + " left out.";
  }
  return std::to_string(leftOut) + " of " + Rows(candidates) + " left out: past " +
         std::to_string(limit) + " rows, only the first " + std::to_string(limit) +
         " with an event in " + FramesText(from, to) +
         " are drawn. Pick rows with --joints PATTERN, frames with --from/--to.";
}

struct JointRow {
  const check::JointFacts* joint;
  check::RecordKind kind;
};

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

TimelineEvent ReadTimelineEvent(std::size_t index, std::string text) {
  TimelineEvent event;
  event.index = index;
  event.frame = check::ReadEventText(text, false).frame;
  const std::size_t first = text.find('|');
  const std::size_t last = text.rfind('|');
  if (first != std::string::npos && last != first) {
    event.nameBegin = static_cast<std::uint32_t>(first + 1);
    event.nameLength = static_cast<std::uint32_t>(last - first - 1);
    event.valueBegin = static_cast<std::uint32_t>(last + 1);
    event.valueLength = static_cast<std::uint32_t>(text.size() - last - 1);
  } else {
    event.nameLength = static_cast<std::uint32_t>(text.size());
  }
  event.text = std::move(text);
  event.category = CategoryOf(event.Name());
  return event;
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
    const std::string_view name = event->Name();
    // What the event does is the preview's reading of it, from the one table.
    switch (nis::EffectOf(name, true)) {
      case nis::Effect::kCameraCut:
        close(camera, frame);
        camera = Band{BandKind::kCamera, frame, frame, Unquoted(std::string(event->Value()))};
        break;
      case nis::Effect::kWideScreenIn:
        if (!wide) {
          wide = Band{BandKind::kWideScreen, frame, frame, "wide screen"};
        }
        break;
      case nis::Effect::kWideScreenOut:
        close(wide, frame);
        break;
      case nis::Effect::kFadeSet:
      case nis::Effect::kFadeTo:
      case nis::Effect::kCameraFadeIn:
        close(fade, frame);
        fade = Band{BandKind::kFade, frame, frame,
                    std::string(name) + " " + std::string(event->Value())};
        break;
      default:
        break;  // changes no band
    }
  }
  close(camera, axisEnd);
  close(wide, axisEnd);
  close(fade, axisEnd);
  std::stable_sort(bands.begin(), bands.end(),
                   [](const Band& a, const Band& b) { return a.kind < b.kind; });
  return bands;
}

Sequence BuildSequence(check::ModelFacts& model, const RowChoice& choice) {
  Sequence sequence;
  ModelRecord record;
  record.LoadAttributes(model.comment);
  sequence.frameRate = record.frameRate;
  sequence.animationEnd = model.lastFrame;
  std::vector<JointRow> joints;
  for (const check::JointFacts& joint : model.joints) {
    if (joint.kind == JointKind::kSkipped || !joint.holdsRecord || !Picks(choice, joint.name)) {
      continue;
    }
    joints.push_back({&joint, joint.kind == JointKind::kCamera ? check::RecordKind::kCamera
                                                               : check::RecordKind::kFollower});
  }
  // The model's row counts towards the limit.
  const std::size_t room = std::max<std::size_t>(choice.rowLimit, 1) - 1;
  const std::int64_t from = std::max<std::int64_t>(choice.from.value_or(0), 0);
  const std::size_t candidates = joints.size() + 1;
  bool full = false;
  if (joints.size() > room) {
    // In model order, the rows with an event in the frames, until the limit is
    // reached: the joints after that are never read.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < joints.size() && kept < room; ++i) {
      if (HoldsEventIn(joints[i].kind, joints[i].joint->comment, from, choice.to)) {
        joints[kept++] = joints[i];
      }
    }
    full = kept == room;
    joints.resize(kept);
  }
  sequence.leftOutNote =
      LeftOutNote(candidates, joints.size() + 1, full, choice.rowLimit, from, choice.to);
  // Only the rows drawn are checked.
  check::ProblemCollector problems;
  sequence.rows.push_back(RowOf(-1, "Model", false, check::RecordKind::kModel, model.comment));
  check::CheckModelComment(model, problems);
  PlaceProblems(problems.problems, sequence.rows.back(), *sequence.problemTexts);
  for (const JointRow& row : joints) {
    const check::JointFacts& joint = *row.joint;
    sequence.rows.push_back(
        RowOf(joint.index, JointTitle(joint), !joint.marked, row.kind, joint.comment));
    problems.problems.clear();
    check::CheckJointAndRecord(joint, model, problems);
    PlaceProblems(problems.problems, sequence.rows.back(), *sequence.problemTexts);
  }
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
