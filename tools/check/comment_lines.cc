#include "tools/check/comment_lines.h"

#include <algorithm>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel::check {
namespace {

// The index of the line that holds offset `at`.
std::size_t LineIndexAt(const std::vector<CommentLine>& lines, std::size_t at) {
  const auto after = std::upper_bound(
      lines.begin(), lines.end(), at,
      [](std::size_t offset, const CommentLine& line) { return offset < line.begin; });
  return after == lines.begin() ? 0 : static_cast<std::size_t>(after - lines.begin()) - 1;
}

}  // namespace

std::span<const std::string_view> FixedKeys(RecordKind kind) {
  // Asked for every line of every comment: no list is made.
  static constexpr std::string_view kModel[] = {kFrameRateKey};
  static constexpr std::string_view kFollower[] = {kSobTypeKey, kSobNameKey};
  static constexpr std::string_view kCamera[] = {kCenterOfInterestKey};
  switch (kind) {
    case RecordKind::kModel:
      return kModel;
    case RecordKind::kFollower:
      return kFollower;
    case RecordKind::kCamera:
      return kCamera;
  }
  return {};
}

namespace {

// The line of `comment` that begins at `begin`; `next` receives where the next
// one begins.
CommentLine LineAt(std::string_view comment, std::size_t begin, std::size_t& next) {
  std::size_t end = comment.find('\n', begin);
  next = end == std::string_view::npos ? comment.size() : end + 1;
  if (end == std::string_view::npos) {
    end = comment.size();
  }
  std::string_view text = comment.substr(begin, end - begin);
  if (!text.empty() && text.back() == '\r') {
    text.remove_suffix(1);
  }
  CommentLine line{begin, text, false, {}, {}};
  const std::size_t equals = text.find('=');
  if (equals != std::string_view::npos) {
    line.hasEquals = true;
    line.key = text.substr(0, equals);
    line.value = text.substr(equals + 1);
  }
  return line;
}

}  // namespace

std::vector<CommentLine> SplitCommentLines(std::string_view comment) {
  std::vector<CommentLine> lines;
  lines.reserve(static_cast<std::size_t>(std::count(comment.begin(), comment.end(), '\n')) + 1);
  for (std::size_t begin = 0, next = 0; begin < comment.size(); begin = next) {
    lines.push_back(LineAt(comment, begin, next));
  }
  return lines;
}

KeyRole RoleOfKey(RecordKind kind, std::string_view key) {
  for (std::string_view fixed : FixedKeys(kind)) {
    if (key == fixed) {
      return {KeyRole::kFixed, 0};
    }
  }
  if (key == kEventCountKey) {
    return {KeyRole::kCount, 0};
  }
  if (!key.starts_with(kEventKeyWord)) {
    return {};
  }
  const std::string_view digits = key.substr(kEventKeyWord.size());
  if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0') ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {};
  }
  std::uint32_t index = 0;
  for (char c : digits) {
    index = index * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return {KeyRole::kEvent, index};
}

bool HoldsRecord(RecordKind kind, std::string_view comment) {
  for (std::size_t begin = 0, next = 0; begin < comment.size(); begin = next) {
    const CommentLine line = LineAt(comment, begin, next);
    if (line.hasEquals && RoleOfKey(kind, line.key).kind != KeyRole::kNone) {
      return true;
    }
  }
  return false;
}

// Where the first occurrence of each key "Event<i>", i below `count`, begins in
// `comment` (npos when there is none), in one pass: an occurrence of "Event"
// followed by the digits "123" is one of "Event1", "Event12" and "Event123".
std::vector<std::size_t> FirstEventKeys(std::string_view comment, std::uint32_t count) {
  std::vector<std::size_t> first(count, std::string_view::npos);
  for (std::size_t at = comment.find(kEventKeyWord); at != std::string_view::npos;
       at = comment.find(kEventKeyWord, at + 1)) {
    std::uint64_t index = 0;
    for (std::size_t q = at + kEventKeyWord.size();
         q < comment.size() && comment[q] >= '0' && comment[q] <= '9'; ++q) {
      index = index * 10 + static_cast<std::uint64_t>(comment[q] - '0');
      if (index >= count) {
        break;
      }
      if (first[index] == std::string_view::npos) {
        first[index] = at;
      }
      if (index == 0) {
        break;
      }
    }
  }
  return first;
}

std::vector<ShadowedKey> FindShadowedKeys(RecordKind kind, std::string_view comment,
                                          const std::vector<CommentLine>& lines,
                                          std::uint32_t eventCount) {
  std::vector<ShadowedKey> shadowed;
  const std::vector<std::size_t> firstEvents = FirstEventKeys(comment, eventCount);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const CommentLine& line = lines[i];
    if (!line.hasEquals) {
      continue;
    }
    const KeyRole role = RoleOfKey(kind, line.key);
    if (role.kind == KeyRole::kNone ||
        (role.kind == KeyRole::kEvent && role.eventIndex >= eventCount)) {
      continue;
    }
    const std::size_t first =
        role.kind == KeyRole::kEvent ? firstEvents[role.eventIndex] : comment.find(line.key);
    if (first == line.begin) {
      continue;
    }
    ShadowedKey found;
    found.key = std::string(line.key);
    found.line = i;
    found.foundInLine = LineIndexAt(lines, first);
    const CommentLine& earlier = lines[found.foundInLine];
    found.duplicate = earlier.begin == first && earlier.hasEquals && earlier.key == line.key;
    found.readValue = ValueAfterKey(comment, first + line.key.size());
    found.lineValue = std::string(line.value);
    if (found.duplicate || found.readValue != found.lineValue) {
      shadowed.push_back(std::move(found));
    }
  }
  return shadowed;
}

std::string IndexRuns(const std::vector<std::uint32_t>& sorted) {
  constexpr std::size_t kMaxRuns = 4;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
  for (std::uint32_t index : sorted) {
    if (!runs.empty() && runs.back().second + 1 == index) {
      runs.back().second = index;
    } else {
      runs.emplace_back(index, index);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < runs.size() && i < kMaxRuns; ++i) {
    if (i > 0) {
      text += i + 1 == runs.size() ? " and " : ", ";
    }
    text += std::to_string(runs[i].first);
    if (runs[i].second != runs[i].first) {
      text +=
          (runs[i].second == runs[i].first + 1 ? " and " : " to ") + std::to_string(runs[i].second);
    }
  }
  if (runs.size() > kMaxRuns) {
    text += ", ...";
  }
  return text;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kMaxShown = 60;
  std::string quoted = "\"";
  quoted.append(text.substr(0, kMaxShown));
  quoted.append(text.size() > kMaxShown ? "...\"" : "\"");
  return quoted;
}

std::string Suggestion(std::string_view name, std::string_view near) {
  if (near.empty()) {
    return {};
  }
  return (SameIgnoringCase(name, near) ? "; names are case-sensitive: " : "; did you mean ") +
         Quoted(near) + "?";
}

}  // namespace quorvel::check
