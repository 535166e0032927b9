#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tools/check/problem.h"
#include "tools/quorvel/check_problem_store.h"
#include "tools/quorvel/output_buffer.h"

namespace quorvel::app {

struct SeverityCounts {
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t infos = 0;

  void Add(check::Severity severity);
};

// What `quorvel check` found in one file: the problems it lists, or why the file
// could not be read.
struct FileCheck {
  std::string file;
  std::string readError;  // not empty when the file could not be read
  ProblemStore problems;  // the listed ones, unless they were written at once
  SeverityCounts counts;  // every problem not ignored, listed or not
};

struct CheckReportOptions {
  std::set<std::string, std::less<>> ignored;  // codes left out entirely
  std::size_t maxProblems = SIZE_MAX;          // problems listed at most, over all files
  bool strict = false;                         // warnings decide the exit status too
};

struct CheckReport {
  std::vector<FileCheck> files;
  SeverityCounts counts;
  std::size_t notShown = 0;
  std::size_t unreadable = 0;
  // The check stopped at --max-problems before the end: the counts are lower bounds.
  bool stoppedEarly = false;
  std::size_t filesNotChecked = 0;  // files only opened because it had stopped
};

// Gathers the report while the files are checked: leaves out ignored codes, counts
// every other problem, and keeps (or, given a stream, writes at once as lines) the
// first maxProblems; the messages of the others are never made. Once a problem
// beyond maxProblems is found (so that more are known to be there) and the exit
// status is settled (an error found, or with `strict` a warning), it has enough:
// the check stops at the next joint, and the counts are lower bounds.
class ReportSink : public check::ProblemSink {
 public:
  ReportSink(CheckReportOptions options, std::ostream* lines) : options_(std::move(options)) {
    if (lines != nullptr) {
      lines_.emplace(*lines);
    }
  }

  void BeginFile(const std::string& file);
  void FileUnreadable(const std::string& error);
  bool Wants(const check::ProblemCode& code) override;
  void Add(const check::ProblemView& problem) override;
  bool Enough() const override;
  // The check stopped before the end of the current file because the sink had enough.
  // Hands the lines written so far on to the stream.
  void Flush();
  void Stopped();
  // The current file was opened (so that one that cannot be read still says so) but
  // not checked, since the sink had enough.
  void NotChecked();

  const CheckReport& Report() const { return report_; }

 private:
  CheckReportOptions options_;
  // Lines are made straight into a buffer: a model at the format's limits can have
  // millions of problems.
  std::optional<OutputBuffer> lines_;
  CheckReport report_;
  std::string shownFile_;  // the current file as problem lines show it
  std::size_t listed_ = 0;
  // The start of the last line written ("FILE: joint 4 "Fighter1"") and its end
  // (": warning: MESSAGE [CODE]" and the line's end), with what each was made of.
  struct LineHead {
    bool valid = false;
    int joint = 0;
    std::string jointName;
    std::string text;
  } head_;
  struct LineTail {
    bool valid = false;
    std::string_view code;
    check::Severity severity = check::Severity::kInfo;
    std::string message;
    std::string text;
  } tail_;
};

// joint 4 "Fighter1": Event1: warning: ... [CODE] (8-bit texts as UTF-8).
std::string ProblemText(const check::ProblemView& problem);
// The closing summary: what was not shown, then the counts.
void PrintCheckSummary(const CheckReport& report, std::ostream& out);

nlohmann::ordered_json CheckReportJson(const CheckReport& report);

// The place part of a problem line: "model" or "joint 4 "Fighter1"", then ": KEY"
// when the problem has a key.
std::string PlaceText(const check::Place& place);

}  // namespace quorvel::app
