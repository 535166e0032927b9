#include "tools/check/problem.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace quorvel::check {
namespace {

constexpr Severity kInfo = Severity::kInfo;
constexpr Severity kWarning = Severity::kWarning;
constexpr Severity kError = Severity::kError;

// Grouped as docs/check.md lists them: storage, frame rate, events, joints.
constexpr ProblemCode kCodes[] = {
    {"COMMENT_TOO_LONG", kInfo, "a comment longer than 1023 characters"},
    {"KEY_SHADOWED", kError, "a value holds the text of a key, so a load reads something else"},
    {"KEY_DUPLICATED", kWarning, "a key stands on two lines; only the first is read"},
    {"EVENT_LINE_MISSING", kWarning, "\"Num Events\" counts an event that has no line"},
    {"EVENT_LINE_UNCOUNTED", kError, "an event line past \"Num Events\""},
    {"LINE_NOT_A_KEY", kWarning, "a line that is no key of the record"},
    {"NOT_A_RECORD", kWarning, "a comment that gets a page but holds no record"},
    {"FRAME_RATE_MISSING", kInfo, "no \"OPT_FPS\"; 24 is used"},
    {"FRAME_RATE_NOT_WHOLE", kWarning, "\"OPT_FPS\" is not a whole number"},
    {"FRAME_RATE_OUT_OF_RANGE", kError, "\"OPT_FPS\" outside 1 to 1000"},
    {"EVENT_MALFORMED", kError, "an event that is not frame|name|value"},
    {"EVENT_FRAME_MISSING", kError, "an event without a frame"},
    {"EVENT_FRAME_NOT_WHOLE", kWarning, "an event frame that is not a whole number"},
    {"EVENT_PAST_END", kWarning, "an event after the model's last animation frame"},
    {"EVENTS_OUT_OF_ORDER", kWarning, "events not in frame order"},
    {"EVENT_UNKNOWN", kError, "an event name the game does not know"},
    {"EVENT_NAME_CASE", kError, "an event name in the wrong case"},
    {"EVENT_WRONG_LEVEL", kError, "a joint-level event in the model's list, or the reverse"},
    {"VALUE_HAS_BAR", kError, "a \"|\" inside an event value"},
    {"VALUE_NOT_EMPTY", kWarning, "a value on an event that takes none"},
    {"VALUE_NOT_NUMBER", kError, "a number event whose value is not a number"},
    {"VALUE_NEGATIVE", kWarning, "a negative number, which reads as 0"},
    {"VALUE_NOT_QUOTED", kError, "a text, file or object value without its quotes"},
    {"OBJECT_UNKNOWN", kError, "an object name that names no joint of the model"},
    {"CAMERA_CUT_NOT_CAMERA", kError, "a \"cameraCut\" to a joint that is not a camera"},
    {"ATTACK_NOT_SHIP", kWarning, "an \"attack\" on a joint that is not a ship"},
    {"FILE_MISSING", kError, "a file event whose file is not below the game folder"},
    {"FILE_OUTSIDE_GAME", kWarning, "a file event with a full path"},
    {"JOINT_NAME_DUPLICATE", kWarning, "two joints with the same name"},
    {"JOINT_NAME_TOO_LONG", kWarning, "a joint name longer than 31 characters"},
    {"RECORD_ON_SKIPPED_JOINT", kInfo, "a record on a joint that never gets a page"},
    {"CENTER_OF_INTEREST_UNKNOWN", kError, "a camera's \"Center Of Interest\" names no joint"},
    {"SOB_TYPE_EMPTY", kWarning, "a follower record without a \"Sob Type\""},
    {"SOB_TYPE_CASE", kWarning, "a \"Sob Type\" that differs from a listed one in case or blanks"},
    {"SOB_TYPE_UNUSUAL", kInfo, "a \"Sob Type\" that the Followers page does not list"},
};

}  // namespace

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kInfo:
      return "info";
    case Severity::kWarning:
      return "warning";
    case Severity::kError:
      return "error";
  }
  return "error";
}

std::span<const ProblemCode> ProblemCodes() {
  return kCodes;
}

const ProblemCode& FindProblemCode(std::string_view code) {
  // Every problem found looks its code up, so the look-up is a hash.
  static const std::unordered_map<std::string_view, const ProblemCode*> byCode = [] {
    std::unordered_map<std::string_view, const ProblemCode*> map;
    for (const ProblemCode& entry : kCodes) {
      map.emplace(entry.code, &entry);
    }
    return map;
  }();
  // Problems come in runs of one code: the last one found is tried first.
  thread_local const ProblemCode* last = nullptr;
  if (last != nullptr && (last->code.data() == code.data() ||
                          (last->code.size() == code.size() && last->code == code))) {
    return *last;
  }
  const auto found = byCode.find(code);
  if (found == byCode.end()) {
    throw std::out_of_range("no problem code " + std::string(code));
  }
  last = found->second;
  return *last;
}

}  // namespace quorvel::check
