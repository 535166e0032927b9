#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"
#include "plugin/events/event_catalogue.h"
#include "tools/check/model_facts.h"
#include "tools/check/problem.h"

namespace quorvel::check {

// One event text read as the Event Editor reads it.
struct ReadEvent {
  bool eventText = false;  // holds at least two "|"
  std::uint32_t frame = 0;
  std::string name;   // between the first and the last "|"
  std::string value;  // after the last "|"
  // The entry of the page's catalogue that bears `name`, or nullptr.
  const EventTypeEntry* entry = nullptr;
};

// Reads an event of the model's list (`modelLevel`) or of a joint's.
ReadEvent ReadEventText(std::string_view text, bool modelLevel);

// The rules for one record's events: frames, names for the page's set, values for
// the event's kind, the joints and files that values name, and the list's order.
// Empty elements (lines that are missing or shadowed) are left to the storage rules.
void CheckEvents(std::span<const std::string_view> events, bool modelLevel, const Place& place,
                 ModelFacts& model, ProblemSink& problems);
void CheckEvents(const EventList& events, bool modelLevel, const Place& place, ModelFacts& model,
                 ProblemSink& problems);

// Whether an event text of a record breaks no rule, read in place: `frame`
// receives its frame. False for every text that a rule may report on (the rules then
// read it whole), also for some that none does.
bool IsCleanEvent(std::string_view text, bool modelLevel, const ModelFacts& model,
                  std::uint32_t& frame);

}  // namespace quorvel::check
