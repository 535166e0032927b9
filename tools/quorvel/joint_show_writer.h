#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/joints/joint_kind.h"
#include "tools/quorvel/output_buffer.h"

namespace quorvel::app {

// A joint's kind as `quorvel show` prints it in its text form: the kind's name, with
// "follower" after it for ships and other followers.
std::string_view ShownKindText(JointKind kind);

// Unless `defaults` is empty: ",", a line break, `indent`, and "defaults" with the
// list, as nlohmann's dump(2) lays out a list of strings at that indent.
void WriteDefaultsJson(const std::vector<std::string>& defaults, std::string_view indent,
                       OutputBuffer& out);

// Writes one joint after another as `quorvel show` shows them, in its text or JSON
// form, straight from each joint's comment to the output: the record's values are
// found where they stand in the comment and written from there, by the same rules
// the records load by (attributes/), so that the output is what loading each record
// and printing it gives, without copying a value or keeping an event list.
class EventLineHead;

class JointShowWriter {
 public:
  JointShowWriter(OutputBuffer& out, bool json);
  ~JointShowWriter();
  JointShowWriter(const JointShowWriter&) = delete;
  JointShowWriter& operator=(const JointShowWriter&) = delete;

  // The joint `index` of the given name, marking and comment (as the session reads
  // them); `first` for the first joint of the list.
  void Write(int index, std::string_view name, bool marked, std::string_view comment, bool first);

 private:
  // A value as it stands in the comment, CRs in: written without them, as one
  // JSON string or as terminal text.
  void Value(std::string_view raw);
  // One event line: what `head` writes (at most `headRoom` characters), the
  // characters of the value whose key ends at `keyEnd` in `comment`, read and written
  // in one pass (no quotes in JSON), and `tail`.
  template <class Head>
  void EventLine(std::string_view comment, std::size_t keyEnd, std::size_t headRoom, Head head,
                 char tail);
  // What `head` writes (at most `headRoom` characters), the characters of the value
  // that begins `rest`, up to its LF, and `tail`, in pieces of bounded room.
  template <class Head>
  void ValueLine(std::string_view rest, std::size_t headRoom, Head head, std::string_view tail);
  // The value without its CRs, for reading rather than writing.
  std::string_view Plain(std::string_view raw);
  // The event block of `comment` in one pass, the keys found as the values are
  // written, when its keys first occur in the order of their indices and no value
  // holds one (as a record saves them); false, with nothing written, otherwise.
  bool InOrderEvents(std::string_view comment, std::string_view countRaw);
  // The event block of `comment` whose "Num Events" value stands as `countRaw`.
  void Events(std::string_view comment, std::string_view countRaw);
  // In JSON: the record's "defaults" (see DefaultedValues), the strings' keys being
  // absent as flagged, its events from the block just written.
  void Defaults(bool firstAbsent, std::string_view firstName, bool secondAbsent,
                std::string_view secondName, std::string_view countRaw);

  OutputBuffer& out_;
  bool json_;
  // The indent of a record's lines.
  std::string_view indent_;
  // How each event line of a record starts and ends, made once.
  std::unique_ptr<const EventLineHead> lineHead_;
  std::vector<std::size_t> keyEnds_;
  std::string plain_;
  // The indices of the events of the block just written whose key does not occur.
  std::vector<std::size_t> missing_;
};

}  // namespace quorvel::app
