#include "framework/script/script_hand_off.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace quorvel::ui {
namespace {

constexpr std::array<std::pair<RunOutcome::Kind, std::string_view>, 5> kKindWords = {{
    {RunOutcome::Kind::kPlayed, "played"},
    {RunOutcome::Kind::kCancelled, "cancelled"},
    {RunOutcome::Kind::kScriptFailed, "script-failed"},
    {RunOutcome::Kind::kNoWindows, "no-windows"},
    {RunOutcome::Kind::kFailed, "failed"},
}};

}  // namespace

RunOutcome ScriptFailedOutcome(const ScriptFailure& failure) {
  // The failure's text begins as ScriptFailure words it: "script line N: " or "script: ".
  std::string_view text = failure.what();
  const std::string prefix =
      failure.Line() > 0 ? "script line " + std::to_string(failure.Line()) + ": " : "script: ";
  if (text.substr(0, prefix.size()) == prefix)
    text.remove_prefix(prefix.size());
  return {RunOutcome::Kind::kScriptFailed, failure.Line(), std::string(text)};
}

std::string WriteRunOutcome(const RunOutcome& outcome) {
  std::string_view word;
  for (const auto& [kind, name] : kKindWords) {
    if (kind == outcome.kind)
      word = name;
  }
  return std::string(word) + " " + std::to_string(outcome.line) + "\n" + outcome.message;
}

RunOutcome ReadRunOutcome(std::string_view text) {
  const std::size_t lineEnd = std::min(text.find('\n'), text.size());
  const std::string_view head = text.substr(0, lineEnd);
  const std::size_t space = head.find(' ');
  const std::string_view word = head.substr(0, space);
  const std::string_view number =
      space == std::string_view::npos ? std::string_view() : head.substr(space + 1);
  RunOutcome outcome;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), outcome.line);
  bool known = false;
  for (const auto& [kind, name] : kKindWords) {
    if (name == word) {
      outcome.kind = kind;
      known = true;
    }
  }
  if (!known || error != std::errc() || end != number.data() + number.size() || outcome.line < 0) {
    return {RunOutcome::Kind::kFailed, 0,
            "the plug-in's report of its run cannot be read: \"" + std::string(head) + "\""};
  }
  outcome.message = std::string(text.substr(std::min(lineEnd + 1, text.size())));
  return outcome;
}

}  // namespace quorvel::ui
