#include "tools/quorvel/check_report.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "framework/core/latin1.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel::app {
namespace {

std::string Plural(std::size_t count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

char* Copy(char* to, std::string_view text) {
  std::memcpy(to, text.data(), text.size());
  return to + text.size();
}

// 8-bit text as UTF-8 (as ui::Latin1ToUtf8) at `to`, which has room for twice its
// size; returns where it ends.
char* Utf8(char* to, std::string_view latin1) {
  // Sixteen bytes at a time while they are plain ASCII, as messages mostly are.
  std::size_t at = 0;
#if defined(__SSE2__)
  for (; latin1.size() - at >= 16; at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(latin1.data() + at));
    if (_mm_movemask_epi8(block) != 0) {
      break;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), block);
    to += 16;
  }
#endif
  // A short rest, as keys are, copied whole when it is plain ASCII.
  const std::string_view rest = latin1.substr(at);
  constexpr std::size_t kWord = sizeof(std::uint64_t);
  if (rest.size() <= 2 * kWord) {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::memcpy(&low, rest.data(), std::min(rest.size(), kWord));
    if (rest.size() > kWord) {
      std::memcpy(&high, rest.data() + kWord, rest.size() - kWord);
    }
    if (((low | high) & 0x8080808080808080ull) == 0) {
      return Copy(to, rest);
    }
  }
  for (const char c : rest) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      *to++ = c;
    } else {
      *to++ = static_cast<char>(0xc0 | byte >> 6);
      *to++ = static_cast<char>(0x80 | (byte & 0x3f));
    }
  }
  return to;
}

std::string PlaceText(int joint, std::string_view jointName, std::string_view key) {
  std::string text =
      joint < 0 ? std::string("model")
                : "joint " + std::to_string(joint) + " \"" + ui::Latin1ToUtf8(jointName) + "\"";
  if (!key.empty()) {
    text += ": " + ui::Latin1ToUtf8(key);
  }
  return text;
}

nlohmann::ordered_json CountsJson(const SeverityCounts& counts) {
  return {{"errors", counts.errors}, {"warnings", counts.warnings}, {"infos", counts.infos}};
}

}  // namespace

void SeverityCounts::Add(check::Severity severity) {
  switch (severity) {
    case check::Severity::kError:
      ++errors;
      break;
    case check::Severity::kWarning:
      ++warnings;
      break;
    case check::Severity::kInfo:
      ++infos;
      break;
  }
}

void ReportSink::BeginFile(const std::string& file) {
  report_.files.push_back({file, {}, {}, {}});
  shownFile_ = ui::ShownText(file);
  head_.valid = false;
}

void ReportSink::FileUnreadable(const std::string& error) {
  report_.files.back().readError = error;
  ++report_.unreadable;
}

bool ReportSink::Wants(const check::ProblemCode& code) {
  if (options_.ignored.contains(code.code)) {
    return false;
  }
  report_.files.back().counts.Add(code.severity);
  report_.counts.Add(code.severity);
  if (listed_ >= options_.maxProblems) {
    ++report_.notShown;
    return false;
  }
  ++listed_;
  return true;
}

void ReportSink::Add(const check::ProblemView& problem) {
  if (!lines_) {
    report_.files.back().problems.Add(problem);
    return;
  }
  // As ProblemText writes it, into room reserved once for the whole line. A joint's
  // problems come one after another and most repeat the last one's message, so the
  // line's start (the file and the joint) and its end (severity, message and code)
  // are kept as last made, in UTF-8, and copied while they stay the same.
  if (!head_.valid || problem.joint != head_.joint || problem.jointName != head_.jointName) {
    head_.valid = true;
    head_.joint = problem.joint;
    head_.jointName = problem.jointName;
    head_.text.resize(shownFile_.size() + 2 * problem.jointName.size() + 40);
    char* to = head_.text.data();
    to = Copy(to, shownFile_);
    if (problem.joint < 0) {
      to = Copy(to, ": model");
    } else {
      to = Copy(to, ": joint ");
      to = std::to_chars(to, to + 24, problem.joint).ptr;
      to = Copy(to, " \"");
      to = Utf8(to, problem.jointName);
      *to++ = '"';
    }
    head_.text.resize(static_cast<std::size_t>(to - head_.text.data()));
  }
  if (!tail_.valid || problem.code != tail_.code || problem.severity != tail_.severity ||
      problem.message != tail_.message) {
    tail_.valid = true;
    tail_.code = problem.code;
    tail_.severity = problem.severity;
    tail_.message = problem.message;
    const std::string_view severity = check::SeverityName(problem.severity);
    tail_.text.resize(2 * problem.message.size() + severity.size() + problem.code.size() + 16);
    char* to = tail_.text.data();
    to = Copy(to, ": ");
    to = Copy(to, severity);
    to = Copy(to, ": ");
    to = Utf8(to, problem.message);
    to = Copy(to, " [");
    to = Copy(to, problem.code);
    to = Copy(to, "]\n");
    tail_.text.resize(static_cast<std::size_t>(to - tail_.text.data()));
  }
  char* to = lines_->Reserve(head_.text.size() + 2 * problem.key.size() + 2 + tail_.text.size());
  to = Copy(to, head_.text);
  if (!problem.key.empty()) {
    to = Copy(to, ": ");
    to = Utf8(to, problem.key);
  }
  to = Copy(to, tail_.text);
  lines_->Wrote(to);
}

void ReportSink::Flush() {
  if (lines_) {
    lines_->Flush();
  }
}

bool ReportSink::Enough() const {
  const bool settled =
      report_.counts.errors > 0 || (options_.strict && report_.counts.warnings > 0);
  return report_.notShown > 0 && settled;
}

void ReportSink::Stopped() {
  report_.stoppedEarly = true;
}

void ReportSink::NotChecked() {
  report_.stoppedEarly = true;
  ++report_.filesNotChecked;
}

std::string ProblemText(const check::ProblemView& problem) {
  std::string text = PlaceText(problem.joint, problem.jointName, problem.key);
  text += ": ";
  text += check::SeverityName(problem.severity);
  text += ": ";
  text += ui::Latin1ToUtf8(problem.message);
  text += " [";
  text += problem.code;
  text += "]";
  return text;
}

std::string PlaceText(const check::Place& place) {
  return PlaceText(place.joint, place.jointName, place.key);
}

void PrintCheckSummary(const CheckReport& report, std::ostream& out) {
  if (report.notShown > 0) {
    out << Plural(report.notShown, "more problem") << " not shown (--max-problems)\n";
  }
  if (report.stoppedEarly) {
    out << "stopped at --max-problems: there may be more problems, so the counts are lower "
           "bounds";
    if (report.filesNotChecked > 0) {
      out << "; " << Plural(report.filesNotChecked, "file") << " only read, not checked";
    }
    out << "\n";
  }
  out << Plural(report.files.size(), "file") << " checked";
  if (report.unreadable > 0) {
    out << " (" << report.unreadable << " could not be read)";
  }
  out << ": " << Plural(report.counts.errors, "error") << ", "
      << Plural(report.counts.warnings, "warning") << ", " << Plural(report.counts.infos, "info")
      << "\n";
}

nlohmann::ordered_json CheckReportJson(const CheckReport& report) {
  nlohmann::ordered_json files = nlohmann::ordered_json::array();
  for (const FileCheck& file : report.files) {
    nlohmann::ordered_json problems = nlohmann::ordered_json::array();
    for (const check::ProblemView problem : file.problems) {
      nlohmann::ordered_json entry = {
          {"code", std::string(problem.code)},
          {"severity", std::string(check::SeverityName(problem.severity))}};
      if (problem.joint >= 0) {
        entry["joint"] = problem.joint;
        entry["jointName"] = ui::Latin1ToUtf8(problem.jointName);
      } else {
        entry["joint"] = nullptr;
      }
      entry["key"] = ui::Latin1ToUtf8(problem.key);
      entry["message"] = ui::Latin1ToUtf8(problem.message);
      problems.push_back(std::move(entry));
    }
    nlohmann::ordered_json entry = {{"file", ui::ShownText(file.file)}};
    if (!file.readError.empty()) {
      entry["readError"] = ui::ShownText(file.readError);
    }
    entry["counts"] = CountsJson(file.counts);
    entry["problems"] = std::move(problems);
    files.push_back(std::move(entry));
  }
  return {{"counts", CountsJson(report.counts)},
          {"notShown", report.notShown},
          {"stoppedEarly", report.stoppedEarly},
          {"filesNotChecked", report.filesNotChecked},
          {"files", std::move(files)}};
}

}  // namespace quorvel::app
