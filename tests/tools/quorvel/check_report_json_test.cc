#include "tools/quorvel/check_report_json.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quorvel::app {
namespace {

std::string Written(const CheckReport& report) {
  std::ostringstream out;
  WriteCheckReportJson(report, out);
  return out.str();
}

std::string Dumped(const CheckReport& report) {
  return CheckReportJson(report).dump(2) + "\n";
}

void AddProblem(ReportSink& sink, std::string_view code, int joint, const std::string& name,
                const std::string& key, const std::string& message) {
  const check::ProblemCode& entry = check::FindProblemCode(code);
  if (sink.Wants(entry)) {
    sink.Add(
        check::ProblemView(entry.code, entry.severity, check::Place{joint, name, key}, message));
  }
}

// The report written as it goes is the document the JSON library makes, byte for
// byte: for every shape a report takes (no file, a file that could not be read, one
// without problems, problems of the model and of joints, some not shown, a stop at
// --max-problems) and for every byte a model's text may hold.
TEST(CheckReportJsonTest, WrittenAsTheLibraryDumpsIt) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) {
    everyByte += static_cast<char>(byte);
  }
  EXPECT_EQ(Written(CheckReport{}), Dumped(CheckReport{}));

  for (const std::size_t maxProblems : {std::size_t{0}, std::size_t{3}, SIZE_MAX}) {
    CheckReportOptions options;
    options.maxProblems = maxProblems;
    options.ignored.insert("EVENT_PAST_END");
    ReportSink sink(options, nullptr);
    sink.BeginFile("missing \xc3\xa9\x01.ms3d");
    sink.FileUnreadable("no such file: \"missing\"\n\\");
    sink.BeginFile("clean.ms3d");
    sink.BeginFile("broken.ms3d");
    AddProblem(sink, "FRAME_RATE_MISSING", -1, "", "OPT_FPS", "no \"rate\"\\ here");
    AddProblem(sink, "EVENT_UNKNOWN", 3, "CAM_\xe9", "Event0", everyByte);
    AddProblem(sink, "EVENT_UNKNOWN", 3, "CAM_\xe9", "Event1", everyByte);
    AddProblem(sink, "EVENT_PAST_END", 3, "CAM_\xe9", "Event1", "ignored");
    AddProblem(sink, "SOB_TYPE_CASE", 4, everyByte, everyByte, "");
    AddProblem(sink, "NOT_A_RECORD", 5, "", "", "tab\there");
    if (maxProblems == 3) {
      sink.Stopped();
      sink.BeginFile("after.ms3d");
      sink.NotChecked();
    }
    const CheckReport& report = sink.Report();
    EXPECT_EQ(Written(report), Dumped(report)) << maxProblems;
  }
}

}  // namespace
}  // namespace quorvel::app
