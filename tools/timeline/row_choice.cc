#include "tools/timeline/row_choice.h"

#include <algorithm>

namespace quorvel::timeline {
namespace {

// Matches the set that starts at pattern[i] (after the '['), for `c`; moves `i`
// past the ']'. A '[' with no ']' stands for itself: nullopt.
std::optional<bool> SetMatches(std::string_view pattern, std::size_t& i, char c) {
  std::size_t k = i;
  const bool negated = k < pattern.size() && (pattern[k] == '!' || pattern[k] == '^');
  if (negated) {
    ++k;
  }
  bool found = false;
  bool first = true;
  while (k < pattern.size() && (pattern[k] != ']' || first)) {
    first = false;
    const char low = pattern[k];
    if (k + 2 < pattern.size() && pattern[k + 1] == '-' && pattern[k + 2] != ']') {
      const auto u = static_cast<unsigned char>(c);
      found = found || (u >= static_cast<unsigned char>(low) &&
                        u <= static_cast<unsigned char>(pattern[k + 2]));
      k += 3;
    } else {
      found = found || c == low;
      ++k;
    }
  }
  if (k >= pattern.size()) {
    return std::nullopt;
  }
  i = k + 1;
  return found != negated;
}

}  // namespace

bool GlobMatches(std::string_view pattern, std::string_view name) {
  // Iterative, with one point to come back to at the last '*': linear in practice
  // and never exponential.
  std::size_t p = 0;
  std::size_t n = 0;
  std::optional<std::size_t> starP;
  std::size_t starN = 0;
  while (n < name.size()) {
    bool step = false;
    std::size_t next = p;
    if (p < pattern.size()) {
      const char token = pattern[p];
      if (token == '*') {
        starP = ++p;
        starN = n;
        continue;
      }
      if (token == '?') {
        step = true;
        next = p + 1;
      } else if (token == '[') {
        next = p + 1;
        const std::optional<bool> set = SetMatches(pattern, next, name[n]);
        if (set) {
          step = *set;
        } else {
          step = name[n] == '[';
          next = p + 1;
        }
      } else if (token == '\\' && p + 1 < pattern.size()) {
        step = name[n] == pattern[p + 1];
        next = p + 2;
      } else {
        step = name[n] == token;
        next = p + 1;
      }
    }
    if (step) {
      p = next;
      ++n;
    } else if (starP) {
      p = *starP;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

bool Picks(const RowChoice& choice, std::string_view name) {
  return choice.jointPatterns.empty() ||
         std::any_of(choice.jointPatterns.begin(), choice.jointPatterns.end(),
                     [&](const std::string& pattern) { return GlobMatches(pattern, name); });
}

}  // namespace quorvel::timeline
