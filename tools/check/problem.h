#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::check {

enum class Severity { kInfo, kWarning, kError };

// "info", "warning" or "error".
std::string_view SeverityName(Severity severity);

// One kind of problem: a stable code, its severity and what it is about in a few
// words. Every code the checker can report is in ProblemCodes().
struct ProblemCode {
  std::string_view code;
  Severity severity;
  std::string_view summary;
};

std::span<const ProblemCode> ProblemCodes();
// The entry for `code`; throws std::out_of_range for a code that does not exist.
const ProblemCode& FindProblemCode(std::string_view code);

// Where a problem lies: the model comment (joint -1) or one joint, and within it a
// key such as "OPT_FPS" or "Event3" (empty for the comment or joint as a whole).
struct Place {
  int joint = -1;
  std::string jointName;
  std::string key;

  bool operator==(const Place&) const = default;
};

struct Problem {
  std::string_view code;
  Severity severity = Severity::kInfo;
  Place place;
  // What was found and what the system will do with it. 8-bit text, as in the model.
  std::string message;
};

using ProblemList = std::vector<Problem>;

// A problem as the rules report it: every text viewed where the rule keeps it, valid
// for the call to ProblemSink::Add only. A model at the format's limits has millions
// of problems, mostly the same message again: a sink that writes them at once copies
// nothing.
struct ProblemView {
  ProblemView() = default;
  ProblemView(std::string_view code, Severity severity, const Place& place,
              std::string_view message)
      : code(code),
        severity(severity),
        joint(place.joint),
        jointName(place.jointName),
        key(place.key),
        message(message) {}
  ProblemView(const Problem& problem)
      : ProblemView(problem.code, problem.severity, problem.place, problem.message) {}

  std::string_view code;
  Severity severity = Severity::kInfo;
  int joint = -1;  // -1: the model comment
  std::string_view jointName;
  std::string_view key;
  std::string_view message;

  // The problem with its own copies of the texts.
  Problem Kept() const {
    return Problem{code, severity, Place{joint, std::string(jointName), std::string(key)},
                   std::string(message)};
  }
};

// Where the rules report problems. A model at the format's limits can have millions
// of them; a sink that only counts a problem, or leaves it out, says so in Wants,
// and the problem's message is then never made.
class ProblemSink {
 public:
  virtual ~ProblemSink() = default;
  // Called once for every problem found; true when the sink wants it in full.
  virtual bool Wants(const ProblemCode& code) = 0;
  // The problem's texts are valid for the call only: a sink that keeps it copies them.
  virtual void Add(const ProblemView& problem) = 0;
  // True once the sink needs no more problems: the rules then stop at the next
  // joint.
  virtual bool Enough() const { return false; }
};

// Keeps every problem.
class ProblemCollector : public ProblemSink {
 public:
  bool Wants(const ProblemCode&) override { return true; }
  void Add(const ProblemView& problem) override { problems.push_back(problem.Kept()); }

  ProblemList problems;
};

// Reports a problem of `code` with the code's own severity; `makeMessage()` gives
// its message (a string, or a reference to one the rule keeps), and is called only
// when the sink wants the problem.
template <class MakeMessage>
void Report(ProblemSink& sink, std::string_view code, const Place& place,
            MakeMessage&& makeMessage) {
  const ProblemCode& entry = FindProblemCode(code);
  if (sink.Wants(entry)) {
    // Viewed where it was made: a message the rule keeps is not copied.
    decltype(auto) message = makeMessage();
    sink.Add(ProblemView(entry.code, entry.severity, place, message));
  }
}

}  // namespace quorvel::check
