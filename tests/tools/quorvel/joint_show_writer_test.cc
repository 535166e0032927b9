#include "tools/quorvel/joint_show_writer.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "host/model_document.h"
#include "host/ms_model_handle.h"
#include "tests/support/random_comments.h"
#include "tests/tools/quorvel/show_report.h"
#include "tools/quorvel/show_command.h"

namespace quorvel::app {
namespace {

using quorvel::testing::InOrderComment;
using quorvel::testing::RandomComment;
using quorvel::testing::RandomName;

// The streamed output against the reference: each record loaded whole and printed
// (PrintShowReport), or made a document tree and dumped (ShowReportJson).
void ExpectWhatTheReportGives(msModel* model, const std::string& context) {
  ShowReport report = BuildShowReport(model);
  report.file = "big.ms3d";
  report.plugInTitle = "Quorvel";
  std::ostringstream json;
  WriteShow(model, report.file, report.plugInTitle, true, json);
  EXPECT_EQ(json.str(), ShowReportJson(report).dump(2) + "\n") << context;
  std::ostringstream text;
  WriteShow(model, report.file, report.plugInTitle, false, text);
  std::ostringstream expected;
  PrintShowReport(report, expected);
  EXPECT_EQ(text.str(), expected.str()) << context;
}

TEST(JointShowWriterTest, RandomCommentsGiveWhatLoadedRecordsGive) {
  std::mt19937 random(14);
  for (int round = 0; round < 60; ++round) {
    host::Model model;
    model.comment = RandomComment(random);
    const auto joints = static_cast<int>(random() % 12);
    for (int i = 0; i < joints; ++i) {
      model.joints.push_back(
          {RandomName(random), static_cast<std::uint8_t>(random() % 2), RandomComment(random)});
    }
    msModel* handle = host::AdoptDocument(host::ModelDocument(model));
    ExpectWhatTheReportGives(handle, "round " + std::to_string(round));
    msHost_FreeModel(handle);
  }
}

// The event block of a comment in order is written as the keys are met, in one pass;
// any comment that is not in order in some way must give what loading gives.
TEST(JointShowWriterTest, CommentsInOrderGiveWhatLoadedRecordsGive) {
  std::mt19937 random(16);
  for (int round = 0; round < 400; ++round) {
    host::Model model;
    for (int i = 0; i < 4; ++i) {
      model.joints.push_back(
          {i % 2 == 0 ? "Fighter" + std::to_string(i) : "CAM_" + std::to_string(i), 1,
           InOrderComment(random)});
    }
    msModel* handle = host::AdoptDocument(host::ModelDocument(model));
    ExpectWhatTheReportGives(handle, "round " + std::to_string(round));
    msHost_FreeModel(handle);
  }
}

// Blocks of up to 150 events in order, each with one key that stands for more than
// its own index (a digit more, below or above the count) or a separator that could
// begin a key, at the indices where the digits carry (9, 99) and near the comment's
// end; each must give what loading gives.
TEST(JointShowWriterTest, KeysWithMoreDigitsGiveWhatLoadedRecordsGive) {
  struct Case {
    std::size_t count;
    std::size_t line;     // the line changed
    std::string changed;  // its key and what follows, in place of "Event<line>="
  };
  const Case cases[] = {
      {100, 5, "Event57="},        {40, 5, "Event57="},      {20, 0, "Event05="},
      {150, 12, "Event123="},      {120, 12, "Event123="},   {12, 9, "Event9E"},
      {120, 99, "Event99Event3="}, {120, 119, "Event1190="}, {101, 100, "Event100x"},
      {11, 10, "Event10\n"},
  };
  for (const Case& c : cases) {
    std::string comment =
        "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=" + std::to_string(c.count) + "\r\n";
    for (std::size_t i = 0; i < c.count; ++i) {
      comment += i == c.line ? c.changed : "Event" + std::to_string(i) + "=";
      comment += std::to_string(i * 10) + "|Speech|\"Line\"\r\n";
    }
    host::Model model;
    model.joints = {{"Fighter", 1, comment}};
    msModel* handle = host::AdoptDocument(host::ModelDocument(model));
    ExpectWhatTheReportGives(
        handle, c.changed + " at " + std::to_string(c.line) + " of " + std::to_string(c.count));
    msHost_FreeModel(handle);
  }
}

// Values longer than the pieces the writer works in, with CRs and escapes across
// the pieces' borders, and a last line without its line end.
TEST(JointShowWriterTest, LongValuesAreWrittenWhole) {
  std::string longValue;
  for (int i = 0; i < 3000; ++i) {
    longValue += i % 7 == 0 ? "\r\x01\"" : "abc";
  }
  host::Model model;
  model.joints = {
      {"Fighter", 1, "Sob Type=" + longValue + "\r\nNum Events=2\r\nEvent1=" + longValue},
      {"CAM_A", 0, "Num Events=1\r\nEvent0=" + longValue + "\r\nCenter Of Interest=x"},
  };
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  ExpectWhatTheReportGives(handle, "long values");
  msHost_FreeModel(handle);
}

}  // namespace
}  // namespace quorvel::app
