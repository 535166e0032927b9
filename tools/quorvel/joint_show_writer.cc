#include "tools/quorvel/joint_show_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/comment_scan.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/joints/joint_kind.h"
#include "tools/quorvel/json_text.h"

namespace quorvel::app {
namespace {

// Calls `write` with each run of `raw` between its CRs.
template <class Write>
void ForEachRunWithoutCr(std::string_view raw, Write write) {
  for (std::size_t cr; (cr = raw.find('\r')) != std::string_view::npos; raw.remove_prefix(cr + 1)) {
    if (cr != 0) {
      write(raw.substr(0, cr));
    }
  }
  if (!raw.empty()) {
    write(raw);
  }
}

// The value RawLookUp finds for `key`, and in `occurs` whether the key occurs at all,
// from one search.
std::string_view LookUpKey(std::string_view comment, std::string_view key, bool& occurs) {
  const std::size_t at = comment.find(key);
  occurs = at != std::string_view::npos;
  return occurs ? RawValueAfterKey(comment, at + key.size()) : std::string_view();
}

char* Append(char* to, std::string_view text) {
  std::memcpy(to, text.data(), text.size());
  return to + text.size();
}

}  // namespace

// How each event line starts and ends: in JSON the separator (the bracket before
// the first line), the quote and the closing quote; in text the indent, "  Event",
// the index, ": " and the line's end.
class EventLineHead {
 public:
  // The most Write writes.
  static constexpr std::size_t kRoom = kEventLineRoom;

  EventLineHead(bool json, std::string_view indent)
      : json_(json),
        head_(json ? ",\n" + std::string(indent) + "  \"" : std::string(indent) + "  Event"),
        firstHead_(json ? "[" + head_.substr(1) : head_) {
    format_.firstHead = firstHead_;
    format_.head = head_;
    format_.digits = !json;
    format_.afterDigits = json ? "" : ": ";
    format_.tail = json ? '"' : '\n';
  }
  EventLineHead(const EventLineHead&) = delete;
  EventLineHead& operator=(const EventLineHead&) = delete;

  char* Write(char* to, std::size_t index) const {
    to = Append(to, index == 0 ? format_.firstHead : format_.head);
    return json_ ? to : Append(std::to_chars(to, to + 24, index).ptr, format_.afterDigits);
  }

  // What ends each line: the closing quote, or the line's end.
  char Tail() const { return format_.tail; }

  // The same for the scanner, which writes the lines of a block in order.
  const EventLineFormat& Format() const { return format_; }

 private:
  bool json_;
  std::string head_;
  std::string firstHead_;
  EventLineFormat format_;
};

JointShowWriter::JointShowWriter(OutputBuffer& out, bool json)
    : out_(out),
      json_(json),
      indent_(json ? "        " : "      "),
      lineHead_(std::make_unique<const EventLineHead>(json, indent_)) {}

JointShowWriter::~JointShowWriter() = default;

void WriteDefaultsJson(const std::vector<std::string>& defaults, std::string_view indent,
                       OutputBuffer& out) {
  if (defaults.empty()) {
    return;
  }
  std::string_view separator = ",\n";
  out.Text(separator);
  out.Text(indent);
  out.Text("\"defaults\": [\n");
  separator = "";
  for (const std::string& entry : defaults) {
    out.Text(separator);
    out.Text(indent);
    out.Text("  ");
    out.String(entry);
    separator = ",\n";
  }
  out.Text("\n");
  out.Text(indent);
  out.Text("]");
}

std::string_view ShownKindText(JointKind kind) {
  switch (kind) {
    case JointKind::kShip:
      return "ship follower";
    case JointKind::kOther:
      return "other follower";
    default:
      return JointKindName(kind);
  }
}

void JointShowWriter::Value(std::string_view raw) {
  // A looked-up value holds no LF: the value writers write it whole, without its CRs.
  const auto head = [this](char* to) {
    if (json_) {
      *to++ = '"';
    }
    return to;
  };
  ValueLine(raw, 1, head, json_ ? "\"" : "");
}

std::string_view JointShowWriter::Plain(std::string_view raw) {
  // Usually the only CR is the one that ends the line: the rest is viewed.
  const std::size_t cr = raw.find('\r');
  if (cr == std::string_view::npos || cr + 1 == raw.size()) {
    return raw.substr(0, cr);
  }
  plain_.clear();
  ForEachRunWithoutCr(raw, [this](std::string_view run) { plain_.append(run); });
  return plain_;
}

template <class Head>
void JointShowWriter::EventLine(std::string_view comment, std::size_t keyEnd, std::size_t headRoom,
                                Head head, char tail) {
  // Empty when the separator is the LF or lies past the end (see ValueAfterKey).
  std::string_view rest;
  if (keyEnd < comment.size() && comment[keyEnd] != '\n') {
    rest = comment.substr(keyEnd + 1);
  }
  ValueLine(rest, headRoom, head, std::string_view(&tail, 1));
}

template <class Head>
void JointShowWriter::ValueLine(std::string_view rest, std::size_t headRoom, Head head,
                                std::string_view tail) {
  // In pieces of bounded room, so that one long value cannot make the buffer grow;
  // a line of a usual value is one piece.
  constexpr std::size_t kPiece = 4096;
  for (bool first = true;; first = false) {
    const std::string_view piece = rest.substr(0, kPiece);
    const std::size_t room =
        json_ ? JsonStringCapacity(piece.size()) : TerminalTextCapacity(piece.size());
    char* to = out_.Reserve((first ? headRoom : 0) + room + tail.size());
    if (first) {
      to = head(to);
    }
    std::size_t read = 0;
    bool ended = false;
    to = json_ ? WriteJsonValueChars(to, piece, read, ended)
               : WriteTerminalValue(to, piece, read, ended);
    if (ended || read == rest.size()) {
      to = Append(to, tail);
      out_.Wrote(to);
      return;
    }
    out_.Wrote(to);
    rest.remove_prefix(read);
  }
}

bool JointShowWriter::InOrderEvents(std::string_view comment, std::string_view countRaw) {
  const uint32_t count = TruncateToUInt32(TextToNumber(Plain(countRaw)));
  // Room for the whole block, taken at once and handed on only at the end: nothing
  // is written when the comment turns out not to be in order.
  const std::string_view indent = indent_;
  const EventLineHead& head = *lineHead_;
  const ValueCoding& coding = json_ ? JsonValueCoding() : TerminalValueCoding();
  char* to = out_.Reserve(64 + indent.size() + InOrderEventsRoom(count, comment.size(), 6));
  if (!json_) {
    to = Append(to, indent);
    to = Append(to, "Num Events: ");
    to = std::to_chars(to, to + 24, count).ptr;
    *to++ = '\n';
  }
  const std::size_t found = TranscribeEventsInOrder(to, comment, count, coding, head.Format());
  if (found == std::string_view::npos) {
    return false;
  }
  if (json_) {
    for (std::size_t index = found; index < count; ++index) {
      missing_.push_back(index);
    }
    *to++ = '\n';
    to = Append(to, indent);
    *to++ = ']';
  }
  out_.Wrote(to);
  return true;
}

void JointShowWriter::Events(std::string_view comment, std::string_view countRaw) {
  const std::string_view indent = indent_;
  missing_.clear();
  if (InOrderEvents(comment, countRaw)) {
    return;
  }
  const std::size_t count = FindEventBlock(comment, Plain(countRaw), keyEnds_);
  if (json_ && count == 0) {
    out_.Text("[]");
    return;
  }
  if (!json_) {
    out_.Text(indent);
    out_.Text("Num Events: ");
    out_.Number(count);
    out_.Text("\n");
  }
  const EventLineHead& head = *lineHead_;
  for (std::size_t i = 0; i < count; ++i) {
    if (json_ && keyEnds_[i] == std::string_view::npos) {
      missing_.push_back(i);
    }
    EventLine(
        comment, keyEnds_[i], EventLineHead::kRoom,
        [&head, i](char* to) { return head.Write(to, i); }, head.Tail());
  }
  if (json_) {
    out_.Text("\n");
    out_.Text(indent);
    out_.Text("]");
  }
}

void JointShowWriter::Defaults(bool firstAbsent, std::string_view firstName, bool secondAbsent,
                               std::string_view secondName, std::string_view countRaw) {
  const bool countEmpty = Plain(countRaw).empty();
  if (!firstAbsent && !secondAbsent && !countEmpty && missing_.empty()) {
    return;
  }
  // As WriteDefaultsJson lays the list out, written straight from the flags and the
  // indices: a comment cut short may leave dozens of events without their lines.
  constexpr std::string_view kFirst = "\n          \"";
  constexpr std::string_view kNext = ",\n          \"";
  std::string_view separator = kFirst;
  const auto entry = [&](std::string_view path) {
    out_.Text(separator);
    out_.Text(path);
    out_.Text("\"");
    separator = kNext;
  };
  out_.Text(",\n        \"defaults\": [");
  if (firstAbsent) {
    entry(firstName);
  }
  if (secondAbsent) {
    entry(secondName);
  }
  if (countEmpty) {
    entry("events");
  } else {
    // In room taken once: a comment cut short may leave most of its events without
    // their lines, and a model has tens of thousands of such comments.
    constexpr std::string_view kEvents = ",\n          \"events/";
    constexpr std::size_t kDigits = 24;
    if (!missing_.empty()) {
      char* to = out_.Reserve(separator.size() + missing_.size() * (kEvents.size() + kDigits + 1));
      to = Append(to, separator);
      to = Append(to, "events/");
      to = std::to_chars(to, to + kDigits, missing_.front()).ptr;
      *to++ = '"';
      for (std::size_t i = 1; i < missing_.size(); ++i) {
        to = Append(to, kEvents);
        to = std::to_chars(to, to + kDigits, missing_[i]).ptr;
        *to++ = '"';
      }
      out_.Wrote(to);
    }
  }
  out_.Text("\n        ]");
}

void JointShowWriter::Write(int index, std::string_view name, bool marked, std::string_view comment,
                            bool first) {
  // A follower's "Sob Type" decides its kind; a camera's or skipped joint's is not
  // looked for.
  std::string_view sobType;
  bool sobTypeOccurs = false;
  JointKind kind = ClassifyJointOfSobType(name, {});
  if (kind == JointKind::kOther) {
    sobType = LookUpKey(comment, kSobTypeKey, sobTypeOccurs);
    kind = ClassifyJointOfSobType(name, Plain(sobType));
  }
  const bool follower = kind == JointKind::kShip || kind == JointKind::kOther;
  if (json_) {
    out_.Text(first ? "[\n    {\n      \"index\": " : ",\n    {\n      \"index\": ");
    out_.Number(index);
    out_.Text(",\n      \"name\": ");
    out_.String(name);
    out_.Text(",\n      \"kind\": ");
    out_.String(JointKindName(kind));
    out_.Text(marked ? ",\n      \"marked\": true" : ",\n      \"marked\": false");
    if (kind == JointKind::kCamera) {
      out_.Text(",\n      \"record\": {\n        \"centerOfInterest\": ");
      bool centerOccurs = false;
      Value(LookUpKey(comment, kCenterOfInterestKey, centerOccurs));
      out_.Text(",\n        \"events\": ");
      const std::string_view count = RawLookUp(comment, kEventCountKey);
      Events(comment, count);
      Defaults(!centerOccurs, "centerOfInterest", false, {}, count);
      out_.Text("\n      }");
    } else if (follower) {
      out_.Text(",\n      \"record\": {\n        \"sobGroupType\": ");
      Value(sobType);
      out_.Text(",\n        \"sobGroupName\": ");
      bool nameOccurs = false;
      Value(LookUpKey(comment, kSobNameKey, nameOccurs));
      out_.Text(",\n        \"events\": ");
      const std::string_view count = RawLookUp(comment, kEventCountKey);
      Events(comment, count);
      Defaults(!sobTypeOccurs, "sobGroupType", !nameOccurs, "sobGroupName", count);
      out_.Text("\n      }");
    }
    out_.Text("\n    }");
    return;
  }
  out_.Text("  ");
  out_.Number(index);
  out_.Text(" ");
  out_.Terminal(name);
  out_.Text(": ");
  out_.Text(ShownKindText(kind));
  out_.Text(marked ? ", marked\n" : ", not marked\n");
  if (kind == JointKind::kCamera) {
    out_.Text("      Center Of Interest: ");
    Value(RawLookUp(comment, kCenterOfInterestKey));
    out_.Text("\n");
    Events(comment, RawLookUp(comment, kEventCountKey));
  } else if (follower) {
    out_.Text("      Sob Type: ");
    Value(sobType);
    out_.Text("\n      Sob Name: ");
    Value(RawLookUp(comment, kSobNameKey));
    out_.Text("\n");
    Events(comment, RawLookUp(comment, kEventCountKey));
  }
}

}  // namespace quorvel::app
