#include "app/check_report.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ui/framework/latin1.h"

namespace quorvel::app {
namespace {

std::string Plural(std::size_t count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// 8-bit text as UTF-8 (as ui::Latin1ToUtf8), into the buffer.
void Utf8(OutputBuffer& out, std::string_view latin1) {
  char* to = out.Reserve(latin1.size() * 2);
  // Eight bytes at a time while they are plain ASCII, as messages mostly are.
  std::size_t at = 0;
  for (; latin1.size() - at >= 8; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, latin1.data() + at, 8);
    if ((word & 0x8080808080808080ull) != 0) {
      break;
    }
    std::memcpy(to, &word, 8);
    to += 8;
  }
  for (const char c : latin1.substr(at)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      *to++ = c;
    } else {
      *to++ = static_cast<char>(0xc0 | byte >> 6);
      *to++ = static_cast<char>(0x80 | (byte & 0x3f));
    }
  }
  out.Wrote(to);
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

void ReportSink::Add(const check::Problem& problem) {
  if (!lines_) {
    report_.files.back().problems.push_back(problem);
    return;
  }
  // As ProblemText writes it, without a string made for each part.
  OutputBuffer& out = *lines_;
  out.Text(shownFile_);
  if (problem.place.joint < 0) {
    out.Text(": model");
  } else {
    out.Text(": joint ");
    out.Number(problem.place.joint);
    out.Text(" \"");
    Utf8(out, problem.place.jointName);
    out.Text("\"");
  }
  if (!problem.place.key.empty()) {
    out.Text(": ");
    Utf8(out, problem.place.key);
  }
  out.Text(": ");
  out.Text(check::SeverityName(problem.severity));
  out.Text(": ");
  Utf8(out, problem.message);
  out.Text(" [");
  out.Text(problem.code);
  out.Text("]\n");
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

std::string ProblemText(const check::Problem& problem) {
  std::string text = PlaceText(problem.place);
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
  std::string text = place.joint < 0 ? std::string("model")
                                     : "joint " + std::to_string(place.joint) + " \"" +
                                           ui::Latin1ToUtf8(place.jointName) + "\"";
  if (!place.key.empty()) {
    text += ": " + ui::Latin1ToUtf8(place.key);
  }
  return text;
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
    for (const check::Problem& problem : file.problems) {
      nlohmann::ordered_json entry = {
          {"code", std::string(problem.code)},
          {"severity", std::string(check::SeverityName(problem.severity))}};
      if (problem.place.joint >= 0) {
        entry["joint"] = problem.place.joint;
        entry["jointName"] = ui::Latin1ToUtf8(problem.place.jointName);
      } else {
        entry["joint"] = nullptr;
      }
      entry["key"] = ui::Latin1ToUtf8(problem.place.key);
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
