#include "check/event_rules.h"

#include <algorithm>

#include "attributes/attribute_text.h"
#include "check/comment_lines.h"
#include "events/event_text.h"

namespace quorvel::check {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number form the system writes: digits, or digits around one ".".
bool IsNumberText(std::string_view text) {
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) {
    return AllDigits(text);
  }
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = text.substr(point + 1);
  return (whole.empty() || AllDigits(whole)) && (fraction.empty() || AllDigits(fraction)) &&
         text.size() > 1;
}

const EventTypeEntry* FindEntry(const EventCatalogue& catalogue, std::string_view name) {
  const auto found =
      std::find_if(catalogue.begin(), catalogue.end(),
                   [name](const EventTypeEntry& entry) { return entry.name == name; });
  return found == catalogue.end() ? nullptr : &*found;
}

const EventTypeEntry* FindEntryIgnoringCase(const EventCatalogue& catalogue,
                                            std::string_view name) {
  const auto found = std::find_if(
      catalogue.begin(), catalogue.end(),
      [name](const EventTypeEntry& entry) { return SameIgnoringCase(entry.name, name); });
  return found == catalogue.end() ? nullptr : &*found;
}

const EventCatalogue& CatalogueFor(bool modelLevel) {
  static const EventCatalogue model = [] {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, true);
    return catalogue;
  }();
  static const EventCatalogue joint = [] {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, false);
    return catalogue;
  }();
  return modelLevel ? model : joint;
}

class EventChecker {
 public:
  EventChecker(bool modelLevel, Place place, ModelFacts& model, ProblemList& problems)
      : modelLevel_(modelLevel), place_(std::move(place)), model_(model), problems_(problems) {}

  void Check(std::size_t index, const std::string& text) {
    place_.key = "Event" + std::to_string(index);
    const EventCatalogue& catalogue = CatalogueFor(modelLevel_);
    const ReadEvent event = ReadEventText(text, catalogue);
    if (!event.eventText) {
      Say("EVENT_MALFORMED", Quoted(text) +
                                 " is not an event (frame|name|value); the Event Editor shows it "
                                 "as frame " +
                                 std::to_string(event.frame) + " with the first event type");
      return;
    }
    CheckFrame(text.substr(0, text.find('|')), event.frame);
    if (event.entry == nullptr) {
      CheckName(event);
      return;
    }
    CheckValue(*event.entry, event.value);
  }

 private:
  void Say(std::string_view code, std::string message) {
    Report(problems_, code, place_, std::move(message));
  }

  void CheckFrame(std::string_view frameText, std::uint32_t frame) {
    if (frameText.empty()) {
      Say("EVENT_FRAME_MISSING", "the event has no frame; it reads as frame 0");
    } else if (!AllDigits(frameText)) {
      Say("EVENT_FRAME_NOT_WHOLE", "the frame " + Quoted(frameText) +
                                       " is not a whole number; it reads as frame " +
                                       std::to_string(frame));
    }
    if (frame > model_.lastFrame) {
      Say("EVENT_PAST_END", "frame " + std::to_string(frame) +
                                " lies past the animation's last frame " +
                                std::to_string(model_.lastFrame));
    }
  }

  void CheckName(const ReadEvent& event) {
    const EventCatalogue& own = CatalogueFor(modelLevel_);
    const std::string set = modelLevel_ ? "the model's" : "a joint's";
    const std::string_view editorNote =
        "; the Event Editor opens it on the first event type, and OK writes that name";
    const std::size_t bar = event.name.find('|');
    if (bar != std::string::npos && FindEntry(own, event.name.substr(0, bar)) != nullptr) {
      Say("VALUE_HAS_BAR", "the value " + Quoted(event.name.substr(bar + 1) + "|" + event.value) +
                               " holds \"|\", so the event reads as " + Quoted(event.name) +
                               " with the value " + Quoted(event.value));
      return;
    }
    if (FindEntry(CatalogueFor(!modelLevel_), event.name) != nullptr) {
      Say("EVENT_WRONG_LEVEL", Quoted(event.name) + " is " +
                                   (modelLevel_ ? "a joint's event" : "a model event") +
                                   ", not one of " + set + " events" + std::string(editorNote));
    } else if (const EventTypeEntry* entry = FindEntryIgnoringCase(own, event.name)) {
      Say("EVENT_NAME_CASE", Quoted(event.name) + " is not an event; names are case-sensitive: " +
                                 Quoted(entry->name) + "?" + std::string(editorNote));
    } else {
      Say("EVENT_UNKNOWN",
          Quoted(event.name) + " is not one of " + set + " events" + std::string(editorNote));
    }
  }

  void CheckValue(const EventTypeEntry& entry, const std::string& value) {
    switch (entry.valueKind) {
      case NoValue:
        if (!value.empty()) {
          Say("VALUE_NOT_EMPTY", Quoted(entry.name) + " takes no value, but holds " +
                                     Quoted(value) + "; the Value button clears it");
        }
        break;
      case Number:
        if (value.starts_with('-')) {
          Say("VALUE_NEGATIVE", "the value " + Quoted(value) + " of " + Quoted(entry.name) +
                                    " is negative; it reads as 0");
        } else if (!IsNumberText(value)) {
          Say("VALUE_NOT_NUMBER", "the value " + Quoted(value) + " of " + Quoted(entry.name) +
                                      " is not a number; it reads as " +
                                      NumberToText(TextToNumber(value)));
        }
        break;
      case QuotedText:
      case FilePath:
      case ObjectName:
        CheckQuoted(entry, value);
        break;
      default:
        break;
    }
  }

  void CheckQuoted(const EventTypeEntry& entry, const std::string& value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
      Say("VALUE_NOT_QUOTED", "the value " + Quoted(value) + " of " + Quoted(entry.name) +
                                  " is not between double quotes");
      return;
    }
    const std::string inner = value.substr(1, value.size() - 2);
    if (entry.valueKind == ObjectName) {
      CheckObject(entry, inner);
    } else if (entry.valueKind == FilePath) {
      CheckFile(entry, inner);
    }
  }

  void CheckObject(const EventTypeEntry& entry, const std::string& name) {
    const JointFacts* joint = model_.Named(name);
    if (joint == nullptr) {
      std::string message = name.empty() ? Quoted(entry.name) + " names no joint: the name is empty"
                                         : Quoted(name) + " names no joint of the model";
      const std::string other = name.empty() ? std::string() : model_.NameIgnoringCase(name);
      if (!other.empty()) {
        message += "; names are case-sensitive: " + Quoted(other) + "?";
      }
      Say("OBJECT_UNKNOWN", std::move(message));
    } else if (entry.hint == "camera" && joint->kind != JointKind::kCamera) {
      Say("CAMERA_CUT_NOT_CAMERA",
          Quoted(entry.name) + " to joint " + std::to_string(joint->index) + " " + Quoted(name) +
              ", which is not a camera (its name does not begin \"CAM_\")");
    } else if (entry.hint == "ship" && joint->kind != JointKind::kShip) {
      Say("ATTACK_NOT_SHIP", Quoted(entry.name) + " on joint " + std::to_string(joint->index) +
                                 " " + Quoted(name) +
                                 ", which is not a ship (its \"Sob Type\" is not \"ship\")");
    }
  }

  void CheckFile(const EventTypeEntry& entry, const std::string& path) {
    if (IsFullPath(path)) {
      Say("FILE_OUTSIDE_GAME", "the file " + Quoted(path) + " of " + Quoted(entry.name) +
                                   " is a full path; the game looks below its own folder " +
                                   Quoted(entry.hint));
      return;
    }
    if (!model_.gameFiles) {
      return;
    }
    if (!model_.gameFiles->Find(entry.hint + path)) {
      Say("FILE_MISSING", "no file " + Quoted(entry.hint + path) + " below the game folder " +
                              Quoted(model_.gameFiles->root()) + " (letter case not counted)");
    }
  }

  bool modelLevel_;
  Place place_;
  ModelFacts& model_;
  ProblemList& problems_;
};

}  // namespace

ReadEvent ReadEventText(std::string_view text, const EventCatalogue& catalogue) {
  ReadEvent event;
  EventFields fields;
  fields.frame = 0;
  SplitEventText(text, catalogue, fields);
  event.frame = fields.frame;
  const std::size_t first = text.find('|');
  const std::size_t last = text.rfind('|');
  event.eventText = first != std::string_view::npos && last != first;
  if (event.eventText) {
    event.name = std::string(text.substr(first + 1, last - first - 1));
    event.value = fields.value;
    event.entry = FindEntry(catalogue, event.name);
  }
  return event;
}

void CheckEvents(const EventList& events, bool modelLevel, const Place& place, ModelFacts& model,
                 ProblemList& problems) {
  EventChecker checker(modelLevel, place, model, problems);
  std::int64_t previousFrame = -1;
  std::size_t previous = 0;
  bool orderReported = false;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].empty()) {
      continue;
    }
    checker.Check(i, events[i]);
    const std::uint32_t frame = ReadEventText(events[i], CatalogueFor(modelLevel)).frame;
    if (!orderReported && frame < previousFrame) {
      Place at = place;
      at.key = "Event" + std::to_string(i);
      Report(problems, "EVENTS_OUT_OF_ORDER", at,
             "frame " + std::to_string(frame) + " comes after event " + std::to_string(previous) +
                 " at frame " + std::to_string(previousFrame) +
                 "; the Event Editor sorts the list by frame at its next change");
      orderReported = true;
    }
    previousFrame = frame;
    previous = i;
  }
}

}  // namespace quorvel::check
