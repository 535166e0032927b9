#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// How an event's parameter is entered and written.
enum ValueKind : int32_t {
  RawParameters = 1,  // the typed text as it stands, possibly several parameters
  NoValue,            // no parameter; the value is empty
  Number,             // one number in the number text form
  QuotedText,         // typed text between double quotes
  FilePath,           // a chosen file path between double quotes; hint = folder
  ObjectName,         // a chosen joint name between double quotes; hint = lists
};

// One event type that a user can place in an event list.
struct EventTypeEntry {
  std::string name;  // the keyword written into the event text; case-sensitive
  std::string hint;  // folder for FilePath, "ship"/"camera"/"" for ObjectName
  bool modelLevel = false;
  int32_t valueKind = RawParameters;

  bool operator==(const EventTypeEntry&) const = default;
};

// The event types offered for one page kind, in display order. A dialog's
// combo index is the index into this sequence.
using EventCatalogue = std::vector<EventTypeEntry>;

// Appends one entry; duplicates are not checked.
void AddEventType(EventCatalogue& catalogue, std::string name, int32_t valueKind, bool modelLevel,
                  std::string hint);

// Appends the model-level set (24 types) when `modelLevel` is true, else the
// joint-level set (28 types) used by follower and camera joints. Does not clear
// `catalogue` first.
void BuildCatalogue(EventCatalogue& catalogue, bool modelLevel);

}  // namespace quorvel
