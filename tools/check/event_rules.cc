#include "tools/check/event_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <unordered_map>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/events/event_text.h"
#include "tools/check/comment_lines.h"
#include "tools/check/game_files.h"
#include "tools/check/near_names.h"

namespace quorvel::check {
namespace {

// The number form the system writes: digits, or digits around one ".".
bool IsNumberText(std::string_view text) {
  // Digits with at most one point, and more than the point alone, in one pass.
  bool point = false;
  for (const char c : text) {
    if (c == '.') {
      if (point) {
        return false;
      }
      point = true;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return point ? text.size() > 1 : !text.empty();
}

// Every event of a list looks its name up, so the look-ups are hashes, built once
// per catalogue.
class EntryIndex {
 public:
  explicit EntryIndex(const EventCatalogue& catalogue) {
    for (const EventTypeEntry& entry : catalogue) {
      if (!entry.name.empty()) {
        slots_[Slot(entry.name)].push_back(&entry);  // the first of equal names first
      }
      folded_.emplace(Folded(entry.name), &entry);
      near_.Add(entry.name);
    }
  }
  // By a slot of the length and three characters, where mostly one name stands, then
  // by the name: this is asked for every event of every record, and going through
  // the several names of one length mispredicts a branch for most of them.
  const EventTypeEntry* Find(std::string_view name) const {
    if (name.empty()) {
      return nullptr;
    }
    for (const EventTypeEntry* entry : slots_[Slot(name)]) {
      // Compared in place: names are short, and a library call for each event shows.
      if (SameShortText(name, entry->name)) {
        return entry;
      }
    }
    return nullptr;
  }
  const EventTypeEntry* FindIgnoringCase(std::string_view name) const {
    const auto found = folded_.find(Folded(name));
    return found == folded_.end() ? nullptr : found->second;
  }
  std::string_view Nearest(std::string_view name) const { return near_.Nearest(name); }

 private:
  static std::string Folded(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), LowerAscii);
    return folded;
  }

  static constexpr std::size_t kSlots = 1024;
  static std::size_t Slot(std::string_view name) {
    const auto at = [&](std::size_t i) {
      return static_cast<std::size_t>(static_cast<unsigned char>(name[i]));
    };
    return (name.size() * 131 + at(0) * 31 + at(name.size() / 2) * 7 + at(name.size() - 1)) %
           kSlots;
  }

  std::array<std::vector<const EventTypeEntry*>, kSlots> slots_;
  std::unordered_map<std::string, const EventTypeEntry*> folded_;
  NearNames near_;
};

const EntryIndex& IndexOf(const EventCatalogue& catalogue);
const EntryIndex& IndexFor(bool modelLevel);

const EventTypeEntry* FindEntry(const EventCatalogue& catalogue, std::string_view name) {
  return IndexOf(catalogue).Find(name);
}

const EventTypeEntry* FindEntryIgnoringCase(const EventCatalogue& catalogue,
                                            std::string_view name) {
  return IndexOf(catalogue).FindIgnoringCase(name);
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

// The index of the model's or the joints' catalogue.
const EntryIndex& IndexFor(bool modelLevel) {
  static const EntryIndex model(CatalogueFor(true));
  static const EntryIndex joint(CatalogueFor(false));
  return modelLevel ? model : joint;
}

const EntryIndex& IndexOf(const EventCatalogue& catalogue) {
  return IndexFor(&catalogue == &CatalogueFor(true));
}

// An event text read in place, as ReadEventText reads it.
struct EventView {
  bool eventText = false;
  std::uint32_t frame = 0;
  std::string_view frameText;  // up to the first "|"
  bool frameDigits = false;    // the frame text is one digit or more, and nothing else
  std::string_view name;
  std::string_view value;
  const EventTypeEntry* entry = nullptr;
};

EventView ViewEvent(std::string_view text, bool modelLevel);

// What a text, file or object value is, in a user's words.
std::string WhatValueIs(const EventTypeEntry& entry) {
  switch (entry.valueKind) {
    case ValueKind::kObjectName:
      return entry.hint == "camera" ? "the name of a camera joint (an object value)"
                                    : "a joint name (an object value)";
    case ValueKind::kFilePath:
      return "the path of a file below the game's folder " + Quoted(entry.hint) + " (a file value)";
    default:
      return "a text (a text value)";
  }
}

class EventChecker {
 public:
  EventChecker(bool modelLevel, Place place, ModelFacts& model, ProblemSink& problems)
      : modelLevel_(modelLevel), place_(std::move(place)), model_(model), problems_(problems) {
    place_.key.assign(kEventKeyWord);
  }

  // Checks one event, `viewed` being the text as ViewEvent reads it when that is
  // known; returns its frame.
  std::uint32_t Check(std::size_t index, std::string_view text, const EventView* viewed) {
    // The key in the room the last one took: only its digits are written.
    char digits[24];
    const auto length =
        static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, index).ptr - digits);
    place_.key.resize(kEventKeyWord.size() + length);
    std::copy(digits, digits + length, place_.key.begin() + kEventKeyWord.size());
    const EventView event = viewed != nullptr ? *viewed : ViewEvent(text, modelLevel_);
    if (!event.eventText) {
      Say("EVENT_MALFORMED", [&] {
        return Quoted(text) + " is not an event text (frame|name|value); the Event Editor " +
               "reads it as frame " + std::to_string(event.frame);
      });
      return event.frame;
    }
    CheckFrame(event);
    if (event.entry == nullptr) {
      CheckName(event);
      return event.frame;
    }
    CheckValue(*event.entry, event.value);
    return event.frame;
  }

 private:
  template <class MakeMessage>
  void Say(std::string_view code, MakeMessage&& makeMessage) {
    Report(problems_, code, place_, makeMessage);
  }

  void CheckFrame(const EventView& event) {
    const std::string_view frameText = event.frameText;
    const std::uint32_t frame = event.frame;
    if (frameText.empty()) {
      Say("EVENT_FRAME_MISSING", [&] { return "the event has no frame; it reads as frame 0"; });
    } else if (!event.frameDigits) {
      Say("EVENT_FRAME_NOT_WHOLE", [&] {
        return "the frame " + Quoted(frameText) + " is not a whole number; it reads as frame " +
               std::to_string(frame);
      });
    }
    if (frame > model_.lastFrame) {
      Say("EVENT_PAST_END", [&] {
        return "frame " + std::to_string(frame) + " lies past the animation's last frame " +
               std::to_string(model_.lastFrame);
      });
    }
  }

  void CheckName(const EventView& event) {
    const EventCatalogue& own = CatalogueFor(modelLevel_);
    const std::size_t bar = event.name.find('|');
    if (bar != std::string::npos && FindEntry(own, event.name.substr(0, bar)) != nullptr) {
      Say("VALUE_HAS_BAR", [&] {
        return "the value " +
               Quoted(std::string(event.name.substr(bar + 1)) + "|" + std::string(event.value)) +
               " holds \"|\", so the event reads as " + Quoted(event.name) + " with the value " +
               Quoted(event.value);
      });
      return;
    }
    // Otherwise what is wrong depends on the name alone: the verdict on the last
    // name is kept, since a list often repeats one unknown name many times.
    thread_local NameVerdict last;
    if (!last.valid || last.modelLevel != modelLevel_ || !SameShortText(last.name, event.name)) {
      last.valid = true;
      last.modelLevel = modelLevel_;
      last.name.assign(event.name);
      last.message.clear();
      last.code = JudgeName(last.name);
    }
    Say(last.code, [&]() -> const std::string& {
      if (last.message.empty()) {
        last.message = NameMessage(last.code, last.name);
      }
      return last.message;
    });
  }

  struct NameVerdict {
    bool valid = false;
    bool modelLevel = false;
    std::string name;
    std::string_view code;
    std::string message;  // made when first wanted
  };

  std::string_view JudgeName(std::string_view name) const {
    if (FindEntry(CatalogueFor(!modelLevel_), name) != nullptr) {
      return "EVENT_WRONG_LEVEL";
    }
    if (FindEntryIgnoringCase(CatalogueFor(modelLevel_), name) != nullptr) {
      return "EVENT_NAME_CASE";
    }
    return "EVENT_UNKNOWN";
  }

  std::string NameMessage(std::string_view code, std::string_view name) const {
    const EventCatalogue& own = CatalogueFor(modelLevel_);
    const std::string set = modelLevel_ ? "the model's" : "a joint's";
    const std::string_view editorNote =
        "; the Event Editor opens it on the first event type, and OK writes that name";
    if (code == "EVENT_WRONG_LEVEL") {
      return Quoted(name) + " is " + (modelLevel_ ? "a joint's event" : "a model event") +
             ", not one of " + set + " events" + std::string(editorNote);
    }
    if (code == "EVENT_NAME_CASE") {
      return Quoted(name) + " is not an event; names are case-sensitive: " +
             Quoted(FindEntryIgnoringCase(own, name)->name) + "?" + std::string(editorNote);
    }
    return Quoted(name) + " is not one of " + set + " events" +
           Suggestion(name, IndexOf(own).Nearest(name)) + std::string(editorNote);
  }

  void CheckValue(const EventTypeEntry& entry, std::string_view value) {
    switch (entry.valueKind) {
      case ValueKind::kNoValue:
        if (!value.empty()) {
          Say("VALUE_NOT_EMPTY", [&] {
            return Quoted(entry.name) + " takes no value, but holds " + Quoted(value) +
                   "; the Value button clears it";
          });
        }
        break;
      case ValueKind::kNumber:
        if (value.starts_with('-')) {
          Say("VALUE_NEGATIVE", [&] {
            return "the value " + Quoted(value) + " of " + Quoted(entry.name) +
                   " is negative; it reads as 0";
          });
        } else if (!IsNumberText(value)) {
          Say("VALUE_NOT_NUMBER", [&] {
            return "the value " + Quoted(value) + " of " + Quoted(entry.name) +
                   " is not a number; it reads as " + NumberToText(TextToNumber(value));
          });
        }
        break;
      case ValueKind::kQuotedText:
      case ValueKind::kFilePath:
      case ValueKind::kObjectName:
        CheckQuoted(entry, value);
        break;
      default:
        break;
    }
  }

  void CheckQuoted(const EventTypeEntry& entry, std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
      Say("VALUE_NOT_QUOTED", [&] {
        return "the value " + Quoted(value) + " of " + Quoted(entry.name) +
               " is not between double quotes: " + Quoted(entry.name) + " takes " +
               WhatValueIs(entry);
      });
      return;
    }
    const std::string_view inner = value.substr(1, value.size() - 2);
    if (entry.valueKind == ValueKind::kObjectName) {
      CheckObject(entry, inner);
    } else if (entry.valueKind == ValueKind::kFilePath) {
      CheckFile(entry, inner);
    }
  }

  void CheckObject(const EventTypeEntry& entry, std::string_view name) {
    const JointFacts* joint = model_.Named(name);
    if (joint == nullptr) {
      Say("OBJECT_UNKNOWN", [&] {
        if (name.empty()) {
          return Quoted(entry.name) + " names no joint: the name is empty";
        }
        return Quoted(name) + " names no joint of the model" +
               Suggestion(name, model_.NearestName(name));
      });
    } else if (entry.hint == "camera" && joint->kind != JointKind::kCamera) {
      Say("CAMERA_CUT_NOT_CAMERA", [&] {
        return Quoted(entry.name) + " to joint " + std::to_string(joint->index) + " " +
               Quoted(name) + ", which is not a camera (its name does not begin \"CAM_\")";
      });
    } else if (entry.hint == "ship" && joint->kind != JointKind::kShip) {
      Say("ATTACK_NOT_SHIP", [&] {
        return Quoted(entry.name) + " on joint " + std::to_string(joint->index) + " " +
               Quoted(name) + ", which is not a ship (its \"Sob Type\" is not \"ship\")";
      });
    }
  }

  void CheckFile(const EventTypeEntry& entry, std::string_view path) {
    if (IsFullPath(path)) {
      Say("FILE_OUTSIDE_GAME", [&] {
        return "the file " + Quoted(path) + " of " + Quoted(entry.name) +
               " is a full path; the game looks below its own folder " + Quoted(entry.hint);
      });
      return;
    }
    if (!model_.gameFiles) {
      return;
    }
    if (!model_.gameFiles->Find(entry.hint + std::string(path))) {
      Say("FILE_MISSING", [&] {
        return "no file " + Quoted(entry.hint + std::string(path)) + " below the game folder " +
               Quoted(model_.gameFiles->Root()) + " (letter case not counted)";
      });
    }
  }

  bool modelLevel_;
  Place place_;
  ModelFacts& model_;
  ProblemSink& problems_;
};

EventView ViewEvent(std::string_view text, bool modelLevel) {
  EventView event;
  const std::size_t first = text.find('|');
  const std::size_t last = text.rfind('|');
  // The frame as the Event Editor reads it (SplitEventText); plain digits, as
  // frames mostly are, read directly to the same number.
  const std::string_view frameText = text.substr(0, first);
  event.frameText = frameText;
  event.frameDigits = AllDigits(frameText);
  if (event.frameDigits && frameText.size() <= 9) {
    for (const char c : frameText) {
      event.frame = event.frame * 10 + static_cast<std::uint32_t>(c - '0');
    }
  } else {
    event.frame = LowBits32(TextToNumber(frameText));
  }
  event.eventText = first != std::string_view::npos && last != first;
  if (event.eventText) {
    event.name = text.substr(first + 1, last - first - 1);
    event.value = text.substr(last + 1);
    event.entry = IndexFor(modelLevel).Find(event.name);
  }
  return event;
}

}  // namespace

ReadEvent ReadEventText(std::string_view text, bool modelLevel) {
  ReadEvent event;
  EventFields fields;
  fields.frame = 0;
  // Frame and value as the editor splits them; the name is looked up below.
  static const EventCatalogue kNoEntries;
  SplitEventText(text, kNoEntries, fields);
  event.frame = fields.frame;
  const std::size_t first = text.find('|');
  const std::size_t last = text.rfind('|');
  event.eventText = first != std::string_view::npos && last != first;
  if (event.eventText) {
    event.name = std::string(text.substr(first + 1, last - first - 1));
    event.value = fields.value;
    event.entry = IndexFor(modelLevel).Find(event.name);
  }
  return event;
}

namespace {

// IsCleanEvent; for a text whose only fault may be its name, which no entry bears,
// `unknownName` (when given) receives the text as ViewEvent reads it, so that it is
// read once.
bool JudgeEvent(std::string_view text, bool modelLevel, const ModelFacts& model,
                std::uint32_t& frame, EventView* unknownName) {
  // The frame's digits, up to the first "|", then the last "|", each in one pass
  // (texts are short, and there is one for every event of a model).
  std::uint32_t read = 0;
  std::size_t first = 0;
  for (; first < text.size() && first < 10 && text[first] >= '0' && text[first] <= '9'; ++first) {
    read = read * 10 + static_cast<std::uint32_t>(text[first] - '0');
  }
  if (first == 0 || first >= 10 || first >= text.size() || text[first] != '|') {
    return false;
  }
  std::size_t last = text.size() - 1;
  while (text[last] != '|') {
    --last;
  }
  if (last == first) {
    return false;
  }
  if (read > model.lastFrame) {
    return false;
  }
  frame = read;
  const std::string_view name = text.substr(first + 1, last - first - 1);
  const EventTypeEntry* entry = IndexFor(modelLevel).Find(name);
  if (entry == nullptr) {
    if (unknownName != nullptr) {
      // As ViewEvent reads it: the frame's digits (nine at most) up to the first "|".
      unknownName->eventText = true;
      unknownName->frame = read;
      unknownName->frameText = text.substr(0, first);
      unknownName->frameDigits = true;
      unknownName->name = name;
      unknownName->value = text.substr(last + 1);
      unknownName->entry = nullptr;
    }
    return false;
  }
  const std::string_view value = text.substr(last + 1);
  switch (entry->valueKind) {
    case ValueKind::kRawParameters:
      return true;
    case ValueKind::kNoValue:
      return value.empty();
    case ValueKind::kNumber:
      return IsNumberText(value);  // no sign
    default:
      break;
  }
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
    return false;
  }
  const std::string_view inner = value.substr(1, value.size() - 2);
  switch (entry->valueKind) {
    case ValueKind::kQuotedText:
      return true;
    case ValueKind::kFilePath:
      return !model.gameFiles && !IsFullPath(inner);
    case ValueKind::kObjectName: {
      const JointFacts* joint = model.Named(inner);
      using namespace std::string_view_literals;
      const std::string_view hint = entry->hint;
      return joint != nullptr && (hint != "camera"sv || joint->kind == JointKind::kCamera) &&
             (hint != "ship"sv || joint->kind == JointKind::kShip);
    }
    default:
      return false;
  }
}

}  // namespace

bool IsCleanEvent(std::string_view text, bool modelLevel, const ModelFacts& model,
                  std::uint32_t& frame) {
  return JudgeEvent(text, modelLevel, model, frame, nullptr);
}

void CheckEvents(std::span<const std::string_view> events, bool modelLevel, const Place& place,
                 ModelFacts& model, ProblemSink& problems) {
  std::optional<EventChecker> checker;
  std::int64_t previousFrame = -1;
  std::size_t previous = 0;
  bool orderReported = false;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].empty()) {
      continue;
    }
    std::uint32_t frame = 0;
    EventView viewed;
    if (!JudgeEvent(events[i], modelLevel, model, frame, &viewed)) {
      if (!checker) {
        checker.emplace(modelLevel, place, model, problems);
      }
      frame = checker->Check(i, events[i], viewed.eventText ? &viewed : nullptr);
    }
    if (!orderReported && frame < previousFrame) {
      Place at = place;
      at.key = std::string(kEventKeyWord) + std::to_string(i);
      Report(problems, "EVENTS_OUT_OF_ORDER", at, [&] {
        return "frame " + std::to_string(frame) + " comes after event " + std::to_string(previous) +
               " at frame " + std::to_string(previousFrame) +
               "; the Event Editor sorts the list by frame at its next change";
      });
      orderReported = true;
    }
    previousFrame = frame;
    previous = i;
  }
}

void CheckEvents(const EventList& events, bool modelLevel, const Place& place, ModelFacts& model,
                 ProblemSink& problems) {
  const std::vector<std::string_view> views(events.begin(), events.end());
  CheckEvents(views, modelLevel, place, model, problems);
}

}  // namespace quorvel::check
