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

CheckReport BuildCheckReport(std::vector<FileCheck> files, const CheckReportOptions& options) {
  CheckReport report;
  std::size_t listed = 0;
  for (FileCheck& file : files) {
    std::erase_if(file.problems, [&](const check::Problem& problem) {
      return options.ignored.contains(problem.code);
    });
    for (const check::Problem& problem : file.problems) {
      file.counts.Add(problem.severity);
      report.counts.Add(problem.severity);
    }
    if (!file.readError.empty()) {
      ++report.unreadable;
    }
    const std::size_t room = options.maxProblems - std::min(listed, options.maxProblems);
    if (file.problems.size() > room) {
      report.notShown += file.problems.size() - room;
      file.problems.resize(room);
    }
    listed += file.problems.size();
    report.files.push_back(std::move(file));
  }
  return report;
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

void PrintCheckReport(const CheckReport& report, std::ostream& out, std::ostream& err) {
  for (const FileCheck& file : report.files) {
    const std::string shown = ui::ShownText(file.file);
    if (!file.readError.empty()) {
      err << "quorvel check: " << ui::ShownText(file.readError) << "\n";
    }
    for (const check::Problem& problem : file.problems) {
      out << shown << ": " << PlaceText(problem.place) << ": "
          << check::SeverityName(problem.severity) << ": " << ui::Latin1ToUtf8(problem.message)
          << " [" << problem.code << "]\n";
    }
  }
  if (report.notShown > 0) {
    out << Plural(report.notShown, "more problem") << " not shown (--max-problems)\n";
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
          {"files", std::move(files)}};
}

}  // namespace quorvel::app
