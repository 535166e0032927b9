#include "app/check_report.h"

#include <algorithm>

#include "ui/framework/latin1.h"

namespace quorvel::app {
namespace {

std::string Plural(std::size_t count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
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

void ReportSink::Add(check::Problem problem) {
  FileCheck& file = report_.files.back();
  if (lines_ != nullptr) {
    *lines_ << shownFile_ << ": " << ProblemText(problem) << "\n";
  } else {
    file.problems.push_back(std::move(problem));
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
