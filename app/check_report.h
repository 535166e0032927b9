#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "check/problem.h"

namespace quorvel::app {

struct SeverityCounts {
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t infos = 0;

  void Add(check::Severity severity);
};

// What `quorvel check` found in one file: its problems, or why it could not be read.
struct FileCheck {
  std::string file;
  std::string readError;  // not empty when the file could not be read
  check::ProblemList problems;
  // Every problem not ignored, also those past --max-problems.
  SeverityCounts counts;
};

struct CheckReportOptions {
  std::set<std::string, std::less<>> ignored;  // codes left out entirely
  std::size_t maxProblems = SIZE_MAX;          // problems listed at most, over all files
};

struct CheckReport {
  std::vector<FileCheck> files;
  SeverityCounts counts;
  std::size_t notShown = 0;
  std::size_t unreadable = 0;
};

// Leaves out the ignored codes and counts what remains, per severity.
CheckReport BuildCheckReport(std::vector<FileCheck> files, const CheckReportOptions& options);

// FILE: joint 4 "Fighter1": Event1: warning: ... [CODE], one line a problem
// (8-bit texts as UTF-8), then a closing summary; files that could not be read are
// named on `err`.
void PrintCheckReport(const CheckReport& report, std::ostream& out, std::ostream& err);
nlohmann::ordered_json CheckReportJson(const CheckReport& report);

// The place part of a problem line: "model" or "joint 4 "Fighter1"", then ": KEY"
// when the problem has a key.
std::string PlaceText(const check::Place& place);

}  // namespace quorvel::app
