#include "tools/quorvel/comment_diff.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "tools/quorvel/json_text.h"

namespace quorvel::app {
namespace {

constexpr std::size_t kContext = 3;
// Middles of more line pairs than this are shown as all removed, then all added: the
// table of common lines would take too much memory.
constexpr std::size_t kLargestTable = std::size_t{1} << 22;

std::vector<std::string_view> SplitAfterLf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    const std::size_t size = lf == std::string_view::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(0, size));
    text.remove_prefix(size);
  }
  return lines;
}

// One step from the old lines to the new: a line kept (' '), removed ('-') or
// added ('+'), with the indices of the old and new line it stands before or at.
struct Step {
  char kind;
  std::size_t before;
  std::size_t after;
};

// The steps from `a` to `b`: the common start and end kept, the middle by the
// longest common subsequence of its lines.
std::vector<Step> Steps(const std::vector<std::string_view>& a,
                        const std::vector<std::string_view>& b) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) {
    ++head;
  }
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t n = a.size() - head - tail;
  const std::size_t m = b.size() - head - tail;
  std::vector<Step> steps;
  for (std::size_t i = 0; i < head; ++i) {
    steps.push_back({' ', i, i});
  }
  if (n * m <= kLargestTable) {
    // common[i][j]: the longest common subsequence of a's middle from i, b's from j.
    std::vector<std::size_t> common((n + 1) * (m + 1), 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& {
      return common[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1
                                              : std::max(at(i + 1, j), at(i, j + 1));
      }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[head + i] == b[head + j]) {
        steps.push_back({' ', head + i++, head + j++});
      } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
        steps.push_back({'-', head + i++, head + j});
      } else {
        steps.push_back({'+', head + i, head + j++});
      }
    }
  } else {
    for (std::size_t i = 0; i < n; ++i) {
      steps.push_back({'-', head + i, head});
    }
    for (std::size_t j = 0; j < m; ++j) {
      steps.push_back({'+', head + n, head + j});
    }
  }
  for (std::size_t i = 0; i < tail; ++i) {
    steps.push_back({' ', head + n + i, head + m + i});
  }
  return steps;
}

// "-START,COUNT" as a unified diff counts: lines from 1, and the line before an
// empty range.
std::string Range(std::size_t first, std::size_t count) {
  return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

}  // namespace

void WriteCommentDiff(std::string_view before, std::string_view after, const std::string& name,
                      std::ostream& out) {
  if (before == after) {
    return;
  }
  const std::vector<std::string_view> a = SplitAfterLf(before);
  const std::vector<std::string_view> b = SplitAfterLf(after);
  const std::vector<Step> steps = Steps(a, b);
  out << "--- " << name << "\n+++ " << name << " (applied)\n";
  std::size_t at = 0;
  while (at < steps.size()) {
    // The next change, and the hunk around it and the changes close to it.
    while (at < steps.size() && steps[at].kind == ' ') {
      ++at;
    }
    if (at == steps.size()) {
      break;
    }
    const std::size_t first = at >= kContext ? at - kContext : 0;
    std::size_t last = at;  // one past the last change of the hunk
    for (std::size_t k = at; k < steps.size(); ++k) {
      if (steps[k].kind != ' ') {
        last = k + 1;
      } else if (k - last >= 2 * kContext) {
        break;
      }
    }
    const std::size_t end = std::min(steps.size(), last + kContext);
    std::size_t removed = 0;
    std::size_t added = 0;
    for (std::size_t k = first; k < end; ++k) {
      removed += steps[k].kind != '+' ? 1 : 0;
      added += steps[k].kind != '-' ? 1 : 0;
    }
    out << "@@ -" << Range(steps[first].before, removed) << " +" << Range(steps[first].after, added)
        << " @@\n";
    for (std::size_t k = first; k < end; ++k) {
      const Step& step = steps[k];
      out << step.kind << TerminalText(step.kind == '+' ? b[step.after] : a[step.before]) << "\n";
    }
    at = end;
  }
}

}  // namespace quorvel::app
