#pragma once

#include <span>
#include <string>
#include <string_view>
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

// Adds a problem of `code` with the code's own severity.
void Report(ProblemList& problems, std::string_view code, Place place, std::string message);

}  // namespace quorvel::check
