#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::timeline {

// A picture with more rows than this is of no use to a person, and one of a model
// at the format's limits (65,535 joints) would take gigabytes to draw. Beyond it,
// rows with no event in the chosen frames are left out; should more than this many
// still remain, the first of them are drawn and the rest left out, and a line in
// the picture says how many and why.
inline constexpr std::size_t kRowLimit = 2000;

// Which rows the picture draws.
struct RowChoice {
  // Glob patterns on joint names (8-bit, as the model keeps them): a joint's row is
  // drawn when its name matches any of them; every joint's when there are none. The
  // model's own row is always drawn.
  std::vector<std::string> jointPatterns;
  // The frames shown, for leaving out rows with no event in them; open ends as in
  // View (a missing `to` reaches every later frame).
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
  std::size_t rowLimit = kRowLimit;
};

// Whether `name` matches the glob `pattern`: `*` any run of characters, `?` any one
// character, `[abc]`, `[a-z]` and `[!abc]` one character of (or not of) a set;
// `\` takes the next character as it is. Letter case counts.
bool GlobMatches(std::string_view pattern, std::string_view name);

// Whether a joint named `name` is picked by `choice`'s patterns.
bool Picks(const RowChoice& choice, std::string_view name);

}  // namespace quorvel::timeline
