#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// How an event's parameter is entered and written.
enum class ValueKind : int32_t {
  kRawParameters = 1,  // the typed text as it stands, possibly several parameters
  kNoValue,            // no parameter; the value is empty
  kNumber,             // one number in the number text form
  kQuotedText,         // typed text between double quotes
  kFilePath,           // a chosen file path between double quotes; hint = folder
  kObjectName,         // a chosen joint name between double quotes; hint = lists
};

// What an event is about: camera work, the screen (fades, wide screen, cards),
// sound, a ship's behaviour, effects; kUnknown for a name of neither set.
enum class EventCategory { kCamera, kScreen, kSound, kShip, kEffect, kUnknown };

// One event type that a user can place in an event list.
struct EventTypeEntry {
  std::string name;  // the keyword written into the event text; case-sensitive
  std::string hint;  // folder for kFilePath, "ship"/"camera"/"" for kObjectName
  bool modelLevel = false;
  ValueKind valueKind = ValueKind::kRawParameters;

  bool operator==(const EventTypeEntry&) const = default;
};

// The event types offered for one page kind, in display order. A dialog's
// combo index is the index into this sequence.
using EventCatalogue = std::vector<EventTypeEntry>;

// Appends one entry; duplicates are not checked.
void AddEventType(EventCatalogue& catalogue, std::string name, ValueKind valueKind, bool modelLevel,
                  std::string hint);

// Appends the model-level set (24 types) when `modelLevel` is true, else the
// joint-level set (28 types) used by follower and camera joints. Does not clear
// `catalogue` first.
void BuildCatalogue(EventCatalogue& catalogue, bool modelLevel);

// The category of an event name of either set; kUnknown for any other.
EventCategory CategoryOfEvent(std::string_view name);
// "camera", "screen", "sound", "ship", "effect" or "unknown".
std::string_view CategoryName(EventCategory category);

}  // namespace quorvel
