#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "plugin/events/event_catalogue.h"
#include "tools/check/model_facts.h"
#include "tools/check/problem.h"
#include "tools/timeline/row_choice.h"

namespace quorvel::timeline {

// What an event is about, for its colour: the catalogue's category.
using quorvel::CategoryName;
using quorvel::EventCategory;
// The category of an event name of either catalogue set; kUnknown for any other.
inline EventCategory CategoryOf(std::string_view eventName) {
  return CategoryOfEvent(eventName);
}

struct TimelineEvent {
  std::size_t index = 0;  // position in its record's list: "Event<index>"
  std::uint32_t frame = 0;
  std::string text;  // the whole event text
  // Where the name and the value lie in `text`: between its first and last "|",
  // and after the last; a text with fewer than two "|" is all name.
  std::uint32_t nameBegin = 0;
  std::uint32_t nameLength = 0;
  std::uint32_t valueBegin = 0;
  std::uint32_t valueLength = 0;
  EventCategory category = EventCategory::kUnknown;
  // "SEVERITY: message [CODE]" of each problem the checker finds at this event; the
  // texts are kept once for the whole sequence (Sequence::problemTexts).
  std::vector<std::string_view> problems;

  std::string_view Name() const { return std::string_view(text).substr(nameBegin, nameLength); }
  std::string_view Value() const { return std::string_view(text).substr(valueBegin, valueLength); }
};

// Event `index` of a record's list, read from its text as the editor reads it, with
// its category; no problems yet.
TimelineEvent ReadTimelineEvent(std::size_t index, std::string text);

// The model's events, or those of one follower or camera joint that has a record.
struct TimelineRow {
  int joint = -1;                     // -1 for the model
  std::string title;                  // "Model", or "CAM_Main (camera)"
  bool muted = false;                 // the joint gets no page (it is not marked)
  std::vector<TimelineEvent> events;  // in list order
  // Problems of the row's comment or joint that lie at no event.
  std::vector<std::string_view> problems;
};

// A span a user thinks in, from the model's events.
enum class BandKind { kCamera, kWideScreen, kFade };
std::string_view BandKindName(BandKind kind);

struct Band {
  BandKind kind = BandKind::kCamera;
  std::int64_t begin = 0;  // first frame
  std::int64_t end = 0;    // the frame the span ends at (the next event, or the axis end)
  std::string label;       // the live camera, or the fade and its value
};

struct Sequence {
  std::uint32_t frameRate = 24;   // as the model's record reads (24 when missing)
  std::int64_t animationEnd = 0;  // the model's last animation frame
  std::int64_t axisEnd = 0;       // the later of that and the last event's frame
  std::vector<TimelineRow> rows;  // the model first, then joints in model order
  std::vector<Band> bands;        // by kind, then by frame
  // Says which rows the picture leaves out and why; empty when it leaves out none.
  std::string leftOutNote;
  // Each problem text the rows view, once: a model at the format's limits has
  // millions of problems, most of them with the same text. Shared by copies.
  std::shared_ptr<std::unordered_set<std::string>> problemTexts =
      std::make_shared<std::unordered_set<std::string>>();
};

// The whole sequence of a model read as the editing session reads it: the model's
// row, then the rows `choice` picks (at most its row limit, see RowChoice), with the
// problems the checker finds placed at their events. Only the rows drawn are
// checked.
Sequence BuildSequence(check::ModelFacts& model, const RowChoice& choice = {});

// The bands of a list of model events, read by the preview's table of what each
// event does (tools/nis/event_effects.h): which camera is live from each cut to the
// next, wide screen from its coming in to its going out, and the fade set by each
// event that sets one until the next. Spans run to `axisEnd` at the latest.
std::vector<Band> BandsOf(const std::vector<TimelineEvent>& modelEvents, std::int64_t axisEnd);

}  // namespace quorvel::timeline
