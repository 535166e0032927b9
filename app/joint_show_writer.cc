#include "app/joint_show_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "attributes/attribute_text.h"
#include "attributes/event_block.h"
#include "joints/joint_kind.h"

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

// The fixed start of each event line, made once for a block: copied whole, so that
// each line takes one copy of known length.
struct HeadText {
  char text[32] = {};
  std::size_t size = 0;

  HeadText& Append(std::string_view more) {
    const std::size_t taken = std::min(more.size(), sizeof text - size);
    std::memcpy(text + size, more.data(), taken);
    size += taken;
    return *this;
  }
};

char* Append(char* to, std::string_view text) {
  std::memcpy(to, text.data(), text.size());
  return to + text.size();
}

}  // namespace

std::string_view ShownKindText(JointKind kind) {
  switch (kind) {
    case JointKind::kSkipped:
      return "skipped";
    case JointKind::kCamera:
      return "camera";
    case JointKind::kShip:
      return "ship follower";
    case JointKind::kOther:
      return "other follower";
  }
  return "other follower";
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
  if (raw.find('\r') == std::string_view::npos) {
    return raw;
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
  HeadText head;
  const std::size_t headRoom = sizeof head.text + 24;  // the head, an index and ": "
  char* to = out_.Reserve(
      64 + indent.size() + count * headRoom +
      (json_ ? JsonStringCapacity(comment.size()) : TerminalTextCapacity(comment.size())));
  if (json_) {
    head.Append(",\n").Append(indent).Append("  \"");
  } else {
    to = Append(to, indent);
    to = Append(to, "Num Events: ");
    to = std::to_chars(to, to + 24, count).ptr;
    *to++ = '\n';
    head.Append(indent).Append("  Event");
  }
  const char tail = json_ ? '"' : '\n';
  const auto line = [&](std::size_t index) {
    char* const start = to;
    std::memcpy(to, head.text, sizeof head.text);
    to += head.size;
    if (json_) {
      if (index == 0) {
        *start = '[';
      }
    } else {
      to = std::to_chars(to, to + 24, index).ptr;
      to = Append(to, ": ");
    }
  };
  // The keys are taken as the block's loading finds them (see FindEventBlock): the
  // first place of "Event<i>" for each i, a place of "Event" and digits standing for
  // every index its leading digits make. Here each key must first occur after the
  // keys below it, and no value may hold a key, so that the lines can be written as
  // the keys are met.
  const auto keyBeginsAt = [comment](std::size_t at) {
    return comment.size() - std::min(at, comment.size()) > 5 &&
           std::memcmp(comment.data() + at, "Event", 5) == 0 && comment[at + 5] >= '0' &&
           comment[at + 5] <= '9';
  };
  std::size_t found = 0;
  for (std::size_t at = FindEventKey(comment, 0); found < count && at != std::string_view::npos;) {
    std::size_t keyEnd = std::string_view::npos;
    std::uint64_t index = 0;
    for (std::size_t q = at + 5; q < comment.size() && comment[q] >= '0' && comment[q] <= '9';
         ++q) {
      index = index * 10 + static_cast<std::uint64_t>(comment[q] - '0');
      if (index >= count) {
        break;
      }
      if (index > found) {
        return false;  // met before a key below it
      }
      if (index == found) {
        keyEnd = q + 1;
        ++found;
      }
      if (index == 0) {
        break;
      }
    }
    if (keyEnd == std::string_view::npos) {
      at = FindEventKey(comment, at + 5);  // only keys met before
      continue;
    }
    line(found - 1);
    // The value: after the one separator byte, up to the LF (see ValueAfterKey).
    std::size_t next = keyEnd;
    if (keyEnd < comment.size() && comment[keyEnd] != '\n') {
      const std::string_view rest = comment.substr(keyEnd + 1);
      std::size_t read = 0;
      bool ended = false;
      bool keyInside = keyBeginsAt(keyEnd);  // the separator may begin one
      if (!keyInside) {
        to = json_ ? WriteJsonValueCharsBeforeKeys(to, rest, read, ended, keyInside)
                   : WriteTerminalValueBeforeKeys(to, rest, read, ended, keyInside);
      }
      if (keyInside) {
        return false;
      }
      next = keyEnd + 1 + read;
    }
    *to++ = tail;
    // Where a record puts it: the next key begins the next line.
    const bool nextLine = next < comment.size() && comment[next] == '\n' && keyBeginsAt(next + 1);
    at = nextLine ? next + 1 : FindEventKey(comment, next);
  }
  // The keys never met: empty values.
  for (std::size_t index = found; index < count; ++index) {
    line(index);
    *to++ = tail;
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
  if (InOrderEvents(comment, countRaw, indent)) {
    return;
  }
  const std::size_t count = FindEventBlock(comment, Plain(countRaw), keyEnds_);
  // Each line is made in one piece of the buffer, its head copied whole from one made
  // before the first line: at some 40 events a joint and 65,535 joints, checks of
  // room and copies of unknown length for each part would show.
  HeadText head;
  const auto copyHead = [&head](char* to) {
    std::memcpy(to, head.text, sizeof head.text);
    return to + head.size;
  };
  const std::size_t headRoom = sizeof head.text + 24;  // the head, an index and ": "
  if (json_) {
    if (count == 0) {
      out_.Text("[]");
      return;
    }
    head.Append(",\n").Append(indent).Append("  \"");
    for (std::size_t i = 0; i < count; ++i) {
      EventLine(
          comment, keyEnds_[i], headRoom,
          [i, copyHead](char* to) {
            char* const end = copyHead(to);
            if (i == 0) {
              *to = '[';
            }
            return end;
          },
          '"');
    }
    out_.Text("\n");
    out_.Text(indent);
    out_.Text("]");
    return;
  }
  out_.Text(indent);
  out_.Text("Num Events: ");
  out_.Number(count);
  out_.Text("\n");
  head.Append(indent).Append("  Event");
  for (std::size_t i = 0; i < count; ++i) {
    EventLine(
        comment, keyEnds_[i], headRoom,
        [i, copyHead](char* to) {
          to = std::to_chars(copyHead(to), to + sizeof(HeadText::text) + 20, i).ptr;
          return Append(to, ": ");
        },
        '\n');
  }
}

void JointShowWriter::Write(int index, std::string_view name, bool marked, std::string_view comment,
                            bool first) {
  // A follower's "Sob Type" decides its kind; a camera's or skipped joint's is not
  // looked for.
  std::string_view sobType;
  JointKind kind = ClassifyJointOfSobType(name, {});
  if (kind == JointKind::kOther) {
    sobType = RawLookUp(comment, "Sob Type");
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
      Value(RawLookUp(comment, "Center Of Interest"));
      out_.Text(",\n        \"events\": ");
      Events(comment, RawLookUp(comment, "Num Events"), "        ");
      out_.Text("\n      }");
    } else if (follower) {
      out_.Text(",\n      \"record\": {\n        \"sobGroupType\": ");
      Value(sobType);
      out_.Text(",\n        \"sobGroupName\": ");
      Value(RawLookUp(comment, "Sob Name"));
      out_.Text(",\n        \"events\": ");
      Events(comment, RawLookUp(comment, "Num Events"), "        ");
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
    Value(RawLookUp(comment, "Center Of Interest"));
    out_.Text("\n");
    Events(comment, RawLookUp(comment, "Num Events"), "      ");
  } else if (follower) {
    out_.Text("      Sob Type: ");
    Value(sobType);
    out_.Text("\n      Sob Name: ");
    Value(RawLookUp(comment, "Sob Name"));
    out_.Text("\n");
    Events(comment, RawLookUp(comment, "Num Events"), "      ");
  }
}

}  // namespace quorvel::app
