#include "tools/quorvel/check_command.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "framework/core/latin1.h"
#include "tools/check/model_check.h"
#include "tools/quorvel/check_report_json.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/help_places.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/standard_output.h"

namespace quorvel::app {
namespace {

struct CheckOptions {
  std::vector<std::string> paths;
  bool json = false;
  std::vector<std::string> ignore;
  std::size_t maxProblems = SIZE_MAX;
  bool strict = false;
  std::string gameRoot;
};

int RunCheck(const CheckOptions& line) {
  CheckReportOptions reportOptions;
  for (const std::string& code : line.ignore) {
    try {
      check::FindProblemCode(code);
    } catch (const std::out_of_range&) {
      throw CommandError(kExitUsage, "--ignore: there is no problem code " + code + "; " +
                                         DocumentPlace("check.md") + " lists them");
    }
    reportOptions.ignored.insert(code);
  }
  reportOptions.maxProblems = line.maxProblems;
  reportOptions.strict = line.strict;

  check::CheckOptions options;
  if (!line.gameRoot.empty()) {
    options.gameRoot = line.gameRoot;
  } else if (const char* root = std::getenv("ZU2_Root"); root != nullptr && *root != '\0') {
    options.gameRoot = root;
  }

  // Lines are written as they are found; a JSON report at the end, from the problems
  // kept compact.
  ReportSink sink(std::move(reportOptions), line.json ? nullptr : &std::cout);
  for (const std::string& path : line.paths) {
    sink.BeginFile(path);
    try {
      ModelPtr model = OpenModelFileForReading(path);
      if (sink.Enough()) {
        sink.NotChecked();
        continue;
      }
      check::ModelFacts facts = check::ReadModelFacts(model.get(), options);
      if (!check::CheckModel(facts, sink)) {
        sink.Stopped();
      }
    } catch (const CommandError& error) {
      sink.Flush();
      sink.FileUnreadable(error.what());
      if (!line.json) {
        std::cerr << "quorvel check: " << ui::ShownText(error.what()) << "\n";
      }
    }
  }
  sink.Flush();
  const CheckReport& report = sink.Report();
  if (line.json) {
    WriteCheckReportJson(report, std::cout);
  } else {
    PrintCheckSummary(report, std::cout);
  }
  FinishStandardOutput();
  return CheckExitStatus(report, line.strict);
}

}  // namespace

int CheckExitStatus(const CheckReport& report, bool strict) {
  if (report.unreadable > 0) {
    return kExitFileError;
  }
  if (report.counts.errors > 0 || (strict && report.counts.warnings > 0)) {
    return kExitProblemsFound;
  }
  return kExitSuccess;
}

void AddCheckCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* command = app.add_subcommand(
      "check", "Check models' attributes against every rule the plug-in and the host apply");
  auto line = std::make_shared<CheckOptions>();
  command->add_option("MODEL", line->paths, "The model files (.ms3d)")->required();
  command->add_flag("--json", line->json,
                    "Write a JSON report: counts per severity and one entry per problem");
  command->add_option("--ignore", line->ignore, "Leave out problems of these codes")
      ->delimiter(',');
  command
      ->add_option("--max-problems", line->maxProblems,
                   "List at most N problems; once one more is found (and an error), stop "
                   "checking: the counts are then lower bounds")
      ->check(CLI::NonNegativeNumber);
  command->add_flag("--strict", line->strict, "Count warnings as errors for the exit status");
  command->add_option("--game-root", line->gameRoot,
                      "The game folder below which file values must exist (default: the "
                      "environment variable ZU2_Root; without either, files are not looked for)");
  command->footer(
      "Each problem: FILE: model or joint INDEX \"NAME\": KEY: SEVERITY: MESSAGE "
      "[CODE]. " +
      DocumentPlace("check.md") +
      " lists every code. Exit status: 0 no error found (warnings allowed), "
      "6 an error found (a warning too with --strict), 1 wrong command line, 2 a model file "
      "could not be read.");
  commands.push_back({command, [line] { return RunCheck(*line); }});
}

}  // namespace quorvel::app
