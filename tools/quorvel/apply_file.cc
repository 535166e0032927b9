#include "tools/quorvel/apply_file.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "framework/core/latin1.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/record_defaults.h"

namespace quorvel::app {
namespace {

using Json = nlohmann::json;

// Where in the file a value lies, as a message names it: "model.frameRate",
// "joints[4] "Fighter1": record.events[2]".
class Reader {
 public:
  explicit Reader(const std::string& source) : source_(source) {}

  [[noreturn]] void Refuse(const std::string& place, const std::string& what) const {
    throw CommandError(kExitFileRefused,
                       source_ + ": " + place + ": " + what + "; nothing was written");
  }

  const Json& Object(const Json& value, const std::string& place) const {
    if (!value.is_object()) {
      Refuse(place, "must be an object");
    }
    return value;
  }

  // Refuses members other than `known`, and a missing one of `required`.
  void Members(const Json& object, const std::string& place,
               std::initializer_list<std::string_view> known,
               std::initializer_list<std::string_view> required) const {
    for (const auto& [key, value] : object.items()) {
      bool found = false;
      for (std::string_view name : known) {
        found = found || key == name;
      }
      if (!found) {
        Refuse(place, "has no member \"" + key + "\" in this form");
      }
    }
    for (std::string_view name : required) {
      if (!object.contains(name)) {
        Refuse(place, "lacks \"" + std::string(name) + "\"");
      }
    }
  }

  // 8-bit text from a JSON string; `inComment`: text that goes into a comment.
  std::string Text(const Json& value, const std::string& place, bool inComment) const {
    if (!value.is_string()) {
      Refuse(place, "must be a string");
    }
    std::optional<std::string> bytes = ui::Utf8ToLatin1(value.get<std::string>());
    if (!bytes) {
      Refuse(place, "holds a character beyond U+00FF, which a model's 8-bit text cannot hold");
    }
    if (inComment && bytes->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
      Refuse(place, "holds a line break or a NUL character, which a comment's line cannot keep");
    }
    return std::move(*bytes);
  }

  // A whole number from 0 to `largest`; 30.0 is 30, as JSON Schema counts it.
  std::uint64_t Whole(const Json& value, const std::string& place, std::uint64_t largest) const {
    if (value.is_number_unsigned() && value.get<std::uint64_t>() <= largest) {
      return value.get<std::uint64_t>();
    }
    if (value.is_number_float()) {
      const double number = value.get<double>();
      if (number >= 0 && number <= static_cast<double>(largest) && std::trunc(number) == number) {
        return static_cast<std::uint64_t>(number);
      }
    }
    if (!value.is_number()) {
      Refuse(place, "must be a number");
    }
    Refuse(place, "must be a whole number from 0 to " + std::to_string(largest));
  }

  EventList Events(const Json& value, const std::string& place) const {
    if (!value.is_array()) {
      Refuse(place, "must be a list of event texts");
    }
    EventList events;
    events.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
      events.push_back(Text(value[i], place + "[" + std::to_string(i) + "]", true));
    }
    return events;
  }

  // "defaults": paths of the record's own values (`fields`), or "events/N".
  std::vector<std::string> Defaults(const Json& record, const std::string& place,
                                    std::initializer_list<std::string_view> fields) const {
    std::vector<std::string> defaults;
    if (!record.contains("defaults")) {
      return defaults;
    }
    const Json& list = record["defaults"];
    const std::string listPlace = place + ".defaults";
    if (!list.is_array()) {
      Refuse(listPlace, "must be a list of the record's values");
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string entryPlace = listPlace + "[" + std::to_string(i) + "]";
      const std::string entry = Text(list[i], entryPlace, true);
      bool known = entry == "events" || IsEventPath(entry);
      for (std::string_view field : fields) {
        known = known || entry == field;
      }
      if (!known) {
        Refuse(entryPlace, "\"" + entry + "\" names no value of this record");
      }
      defaults.push_back(entry);
    }
    return defaults;
  }

 private:
  // "events/" and an index without leading zeros.
  static bool IsEventPath(std::string_view entry) {
    constexpr std::string_view kPrefix = "events/";
    if (entry.substr(0, kPrefix.size()) != kPrefix) {
      return false;
    }
    const std::string_view digits = entry.substr(kPrefix.size());
    if (digits.empty() || digits.size() > 9 || (digits[0] == '0' && digits.size() > 1)) {
      return false;
    }
    for (const char c : digits) {
      if (c < '0' || c > '9') {
        return false;
      }
    }
    return true;
  }

  const std::string& source_;
};

// The line and column (from 1, in bytes) of byte `offset` of `text`.
std::string LineAndColumn(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1);
}

void ReadRecord(const Reader& reader, const Json& value, const std::string& place,
                AppliedJoint& joint) {
  const Json& record = reader.Object(value, place);
  if (record.contains("centerOfInterest")) {
    reader.Members(record, place, {"centerOfInterest", "events", "defaults"},
                   {"centerOfInterest", "events"});
    CameraRecord& camera = joint.camera.emplace();
    camera.centerOfInterest =
        reader.Text(record["centerOfInterest"], place + ".centerOfInterest", true);
    camera.events = reader.Events(record["events"], place + ".events");
    joint.defaults = reader.Defaults(record, place, {"centerOfInterest"});
    return;
  }
  if (!record.contains("sobGroupType") && !record.contains("sobGroupName")) {
    reader.Refuse(place,
                  "must be a camera's record (centerOfInterest, events) or a follower's "
                  "(sobGroupType, sobGroupName, events)");
  }
  reader.Members(record, place, {"sobGroupType", "sobGroupName", "events", "defaults"},
                 {"sobGroupType", "sobGroupName", "events"});
  FollowerRecord& follower = joint.follower.emplace();
  follower.sobGroupType = reader.Text(record["sobGroupType"], place + ".sobGroupType", true);
  follower.sobGroupName = reader.Text(record["sobGroupName"], place + ".sobGroupName", true);
  follower.events = reader.Events(record["events"], place + ".events");
  joint.defaults = reader.Defaults(record, place, {"sobGroupType", "sobGroupName"});
}

AppliedJoint ReadJoint(const Reader& reader, const Json& value, std::size_t position) {
  AppliedJoint joint;
  joint.position = position;
  std::string place = "joints[" + std::to_string(position) + "]";
  const Json& entry = reader.Object(value, place);
  if (!entry.contains("name")) {
    reader.Refuse(place, "lacks \"name\"");
  }
  joint.name = reader.Text(entry["name"], place + ".name", false);
  place = JointPlace(joint);
  reader.Members(entry, place, {"index", "name", "kind", "marked", "record"}, {"name"});
  if (entry.contains("index")) {
    joint.index = static_cast<int>(reader.Whole(entry["index"], place + ": index", 65535));
  }
  if (entry.contains("kind")) {
    const Json& kind = entry["kind"];
    if (!kind.is_string() ||
        (kind != "skipped" && kind != "camera" && kind != "ship" && kind != "other")) {
      reader.Refuse(place + ": kind", "must be \"skipped\", \"camera\", \"ship\" or \"other\"");
    }
    joint.kind = kind.get<std::string>();
  }
  if (entry.contains("marked")) {
    if (!entry["marked"].is_boolean()) {
      reader.Refuse(place + ": marked", "must be true or false");
    }
    joint.marked = entry["marked"].get<bool>();
  }
  if (entry.contains("record")) {
    ReadRecord(reader, entry["record"], place + ": record", joint);
  }
  return joint;
}

}  // namespace

std::string JointPlace(const AppliedJoint& joint) {
  return "joints[" + std::to_string(joint.position) + "] \"" + ui::Latin1ToUtf8(joint.name) + "\"";
}

AppliedFile ReadAppliedFile(std::string_view text, const std::string& source) {
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::parse_error& error) {
    // nlohmann's message after its own prefix, at the place counted here.
    std::string what = error.what();
    const std::size_t colon = what.find(": ");
    if (what.rfind("[json.exception", 0) == 0 && colon != std::string::npos) {
      what = what.substr(colon + 2);
    }
    const std::size_t offset = error.byte == 0 ? 0 : error.byte - 1;
    throw CommandError(kExitFileRefused, source + ": " + LineAndColumn(text, offset) +
                                             ": not JSON: " + what + "; nothing was written");
  }
  const Reader reader(source);
  reader.Object(document, "the file");
  reader.Members(document, "the file", {"$schema", "file", "plugIn", "model", "joints"},
                 {"model", "joints"});
  if (document.contains("$schema") && document["$schema"] != std::string(kShowSchemaId)) {
    reader.Refuse("$schema", "must be \"" + std::string(kShowSchemaId) + "\"");
  }
  for (const char* member : {"file", "plugIn"}) {
    if (document.contains(member) && !document[member].is_string()) {
      reader.Refuse(member, "must be a string");
    }
  }
  AppliedFile file;
  const Json& model = reader.Object(document["model"], "model");
  reader.Members(model, "model", {"frameRate", "events", "defaults"}, {"frameRate", "events"});
  file.model.frameRate =
      static_cast<std::uint32_t>(reader.Whole(model["frameRate"], "model.frameRate", 0xFFFFFFFFu));
  file.model.events = reader.Events(model["events"], "model.events");
  file.modelDefaults = reader.Defaults(model, "model", {"frameRate"});
  const Json& joints = document["joints"];
  if (!joints.is_array()) {
    reader.Refuse("joints", "must be a list of joints");
  }
  for (std::size_t i = 0; i < joints.size(); ++i) {
    file.joints.push_back(ReadJoint(reader, joints[i], i));
  }
  return file;
}

}  // namespace quorvel::app
