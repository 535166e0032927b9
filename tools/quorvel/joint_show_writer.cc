#include "tools/quorvel/joint_show_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/joints/joint_kind.h"
#include "tools/quorvel/value_window.h"

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

// An index of an event block (at most kMaxEventCount, so at most 5 digits) as its
// decimal digits, counted up one at a time: the keys of a block in order are
// compared and written without making each index's digits anew. The digits are kept
// in one word, first digit in the lowest byte, so that they are written and
// compared whole (bytes stored into memory and read back as a word would stall).
class DecimalIndex {
 public:
  // Written 8 characters at once.
  static constexpr std::size_t kRoom = 8;

  std::size_t Size() const { return size_; }
  bool IsZero() const { return word_ == '0'; }
  void Next() {
    for (std::size_t i = size_; i-- > 0;) {
      const unsigned shift = 8 * static_cast<unsigned>(i);
      if (((word_ >> shift) & 0xFF) != '9') {
        word_ += std::uint64_t{1} << shift;
        return;
      }
      word_ -= std::uint64_t{'9' - '0'} << shift;  // to '0', and carry
    }
    word_ = (word_ << 8) | '1';  // all nines: 99 became 00, and is 100
    ++size_;
  }
  // Writes the digits at `to`, which has room for kRoom characters.
  char* Write(char* to) const {
    std::memcpy(to, &word_, kRoom);
    return to + size_;
  }
  // Whether the text at `at` is these digits and then a byte that is not one.
  bool StandAt(std::string_view text, std::size_t at) const {
    if (at + size_ >= text.size()) {
      return false;
    }
    for (std::size_t i = 0; i < size_; ++i) {
      if (static_cast<unsigned char>(text[at + i]) != ((word_ >> (8 * i)) & 0xFF)) {
        return false;
      }
    }
    return text[at + size_] < '0' || text[at + size_] > '9';
  }

 private:
  static_assert(std::endian::native == std::endian::little, "digits are kept low byte first");
  std::uint64_t word_ = '0';
  std::size_t size_ = 1;
};

// The start of each line of an event block, made once for the block and copied whole,
// so that each line takes one copy of known length: in JSON the separator (the
// bracket before the first line) and the quote, in text the indent, "  Event", the
// index and ": ". At some 40 events a joint and 65,535 joints, checks of room and
// copies of unknown length for each part would show.
class EventLineHead {
 public:
  // The most Write writes.
  static constexpr std::size_t kRoom = 32 + 24;

  EventLineHead(bool json, std::string_view indent) : json_(json) {
    if (json) {
      Add(",\n");
      Add(indent);
      Add("  \"");
    } else {
      Add(indent);
      Add("  Event");
    }
  }

  char* Write(char* to, std::size_t index) const {
    char* const digits = Start(to, index == 0);
    return json_ ? digits : Append(std::to_chars(digits, to + kRoom, index).ptr, ": ");
  }

  // The same for the index that `index` holds as digits.
  char* Write(char* to, const DecimalIndex& index) const {
    char* const digits = Start(to, index.IsZero());
    return json_ ? digits : Append(index.Write(digits), ": ");
  }

  // What ends each line: the closing quote, or the line's end.
  char Tail() const { return json_ ? '"' : '\n'; }

 private:
  // The fixed part, with the bracket that opens a JSON block before the first line;
  // returns where the index goes.
  char* Start(char* to, bool first) const {
    std::memcpy(to, text_, sizeof text_);
    if (json_ && first) {
      *to = '[';
    }
    return to + size_;
  }

  void Add(std::string_view more) {
    const std::size_t taken = std::min(more.size(), sizeof text_ - size_);
    std::memcpy(text_ + size_, more.data(), taken);
    size_ += taken;
  }

  bool json_;
  char text_[32] = {};
  std::size_t size_ = 0;
};

}  // namespace

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

bool JointShowWriter::InOrderEvents(std::string_view comment, std::string_view countRaw,
                                    std::string_view indent) {
  const uint32_t count = TruncateToUInt32(TextToNumber(Plain(countRaw)));
  // What FindEventBlock counts, as long as the stated count is at most
  // kMaxEventCount: the stated count itself.
  constexpr std::size_t kLongestComment = std::size_t{1} << 16;
  if (count == 0 || count > kMaxEventCount || comment.size() > kLongestComment) {
    return false;
  }
  // Room for the whole block, taken at once and handed on only at the end: nothing
  // is written when the comment turns out not to be in order.
  const EventLineHead head(json_, indent);
  char* to = out_.Reserve(
      64 + indent.size() + count * EventLineHead::kRoom +
      (json_ ? JsonStringCapacity(comment.size()) : TerminalTextCapacity(comment.size())));
  if (!json_) {
    to = Append(to, indent);
    to = Append(to, "Num Events: ");
    to = std::to_chars(to, to + 24, count).ptr;
    *to++ = '\n';
  }
  // The keys are taken as the block's loading finds them (see FindEventBlock): the
  // first place of "Event<i>" for each i, a place of "Event" and digits standing for
  // every index its leading digits make. Here each key must first occur after the
  // keys below it, and no value may hold a key, so that the lines can be written as
  // the keys are met.
  std::size_t found = 0;
  DecimalIndex digits;  // of `found`
  for (std::size_t at = FindEventKey(comment, 0); found < count && at != std::string_view::npos;) {
    std::size_t keyEnd = std::string_view::npos;
    if (digits.StandAt(comment, at + kEventKeyWord.size())) {
      // The usual key: the next index's and nothing more. Every index its leading
      // digits stand for is below it, so met already.
      keyEnd = at + kEventKeyWord.size() + digits.Size();
      ++found;
    } else {
      const bool inOrder =
          ForEachIndexOfKey(comment, at, count, [&found, &keyEnd](uint64_t index, size_t end) {
            if (index > found) {
              return false;  // met before a key below it
            }
            if (index == found) {
              keyEnd = end;
              ++found;
            }
            return true;
          });
      if (!inOrder) {
        return false;
      }
      if (keyEnd == std::string_view::npos) {
        at = FindEventKey(comment, at + kEventKeyWord.size());  // only keys met before
        continue;
      }
    }
    to = head.Write(to, digits);
    digits.Next();
    // The value: after the one separator byte, up to the LF (see ValueAfterKey).
    std::size_t next = keyEnd;
    if (keyEnd < comment.size() && comment[keyEnd] != '\n') {
      const char* const value = comment.data() + keyEnd + 1;
      const char* const end = comment.data() + comment.size();
      std::size_t read = 0;
      // The separator may begin a key; a usual value (short and plain, as a record
      // writes it) is written in one step, any other by the general writers.
      bool keyInside = EventKeyAt(comment, keyEnd);
      if (!keyInside && !(json_ ? WriteUsualEventValue<true>(to, value, end, read)
                                : WriteUsualEventValue<false>(to, value, end, read))) {
        const std::string_view rest(value, static_cast<std::size_t>(end - value));
        bool ended = false;
        to = json_ ? WriteJsonValueCharsBeforeKeys(to, rest, read, ended, keyInside)
                   : WriteTerminalValueBeforeKeys(to, rest, read, ended, keyInside);
      }
      if (keyInside) {
        return false;
      }
      next = keyEnd + 1 + read;
    }
    *to++ = head.Tail();
    // Where a record puts it: the next key begins the next line.
    const bool nextLine =
        next < comment.size() && comment[next] == '\n' && EventKeyAt(comment, next + 1);
    at = nextLine ? next + 1 : FindEventKey(comment, next);
  }
  // The keys never met: empty values.
  for (std::size_t index = found; index < count; ++index) {
    to = head.Write(to, index);
    *to++ = head.Tail();
    if (json_) {
      missing_.push_back(index);
    }
  }
  if (json_) {
    *to++ = '\n';
    to = Append(to, indent);
    *to++ = ']';
  }
  out_.Wrote(to);
  return true;
}

void JointShowWriter::Events(std::string_view comment, std::string_view countRaw,
                             std::string_view indent) {
  missing_.clear();
  if (InOrderEvents(comment, countRaw, indent)) {
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
  const EventLineHead head(json_, indent);
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
      Events(comment, count, "        ");
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
      Events(comment, count, "        ");
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
    Events(comment, RawLookUp(comment, kEventCountKey), "      ");
  } else if (follower) {
    out_.Text("      Sob Type: ");
    Value(sobType);
    out_.Text("\n      Sob Name: ");
    Value(RawLookUp(comment, kSobNameKey));
    out_.Text("\n");
    Events(comment, RawLookUp(comment, kEventCountKey), "      ");
  }
}

}  // namespace quorvel::app
