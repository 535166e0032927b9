// Every step of a save and of a save-as failing in turn, through a system that
// fails on purpose: nothing is lost, the original is intact or put back, the edits
// are kept (beside the model, named in the message, or still in the document) and
// no temporary file is left. Also a replace that stops halfway as Windows' can.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "host/atomic_file.h"
#include "host/model_document.h"
#include "host/ms3d_error.h"
#include "host/system.h"
#include "host/temporary_name.h"
#include "tests/support/faulty_system.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::FaultySystem;
using quorvel::testing::ReadWholeFile;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

constexpr char kEdited[] = "edited comment";

enum class Kind { kSave, kSaveAsNew, kSaveAsOver };

const char* NameOf(Kind kind) {
  switch (kind) {
    case Kind::kSave:
      return "save";
    case Kind::kSaveAsNew:
      return "save-as (new file)";
    case Kind::kSaveAsOver:
      return "save-as (over a file)";
  }
  return "";
}

struct Fault {
  std::string call;
  int nth = 0;
  int error = 0;
};

// What one save under a fault left.
struct Outcome {
  bool saved = false;
  std::string message;
  std::string kept;  // the file beside the model named in the message
  std::vector<std::string> temporaries;
};

class SaveFailuresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = WriteMs3d(SampleFixture()).bytes;
    other_ = "the file a save-as replaces";
  }

  std::string Model() const { return folder_->File("model.ms3d"); }
  std::string Copy() const { return folder_->File("copy.ms3d"); }
  std::string Written(Kind kind) const { return kind == Kind::kSave ? Model() : Copy(); }

  // Saves a change of the model comment with `system` in place of the real one, in
  // a fresh folder.
  Outcome SaveWith(FaultySystem& system, Kind kind, ModelDocument::SaveObserver* observer = nullptr,
                   ModelDocument* keep = nullptr) {
    folder_.emplace();
    WriteWholeFile(Model(), original_);
    if (kind == Kind::kSaveAsOver) {
      WriteWholeFile(Copy(), other_);
    }
    ModelDocument document = ModelDocument::Open(Model());
    document.SetModelComment(kEdited);
    document.SetSaveObserver(observer);
    Outcome outcome;
    try {
      const SystemScope scope(system);
      if (kind == Kind::kSave) {
        document.Save();
      } else {
        document.SaveCopy(Copy());
      }
      outcome.saved = true;
    } catch (const Ms3dError& error) {
      outcome.message = error.what();
      const std::size_t at = outcome.message.find("kept in ");
      if (at != std::string::npos) {
        outcome.kept = outcome.message.substr(at + 8);
      }
    }
    for (const std::string& name : folder_->Entries()) {
      if (IsTemporaryNameOf(name, "model.ms3d") || IsTemporaryNameOf(name, "copy.ms3d")) {
        outcome.temporaries.push_back(name);
      }
    }
    if (keep != nullptr) {
      *keep = std::move(document);
    }
    return outcome;
  }

  // Checks what every failure must leave, and says in a few words what it did.
  std::string Check(Kind kind, const Outcome& outcome, const Fault& fault) {
    const std::string where = std::string(NameOf(kind)) + ", " + fault.call + " #" +
                              std::to_string(fault.nth) + ": " + outcome.message;
    if (outcome.saved) {
      EXPECT_EQ(ModelDocument::Open(Written(kind)).Model().comment, kEdited) << where;
      // Only a failure to remove the old file leaves one, which the next edit names.
      EXPECT_TRUE(outcome.temporaries.empty() ||
                  (fault.call == "remove" && outcome.temporaries.size() == 1))
          << where;
      return outcome.temporaries.empty() ? "saved" : "saved; the old file is left, named next";
    }
    EXPECT_THAT(outcome.message, ::testing::HasSubstr("not saved")) << where;
    EXPECT_TRUE(outcome.temporaries.empty()) << where;
    EXPECT_EQ(ReadWholeFile(Model()), original_) << where;
    if (kind == Kind::kSaveAsOver) {
      EXPECT_EQ(ReadWholeFile(Copy()), other_) << where;
    } else if (kind == Kind::kSaveAsNew) {
      EXPECT_THAT(folder_->Entries(), ::testing::Not(::testing::Contains("copy.ms3d"))) << where;
    }
    if (!outcome.kept.empty()) {
      EXPECT_EQ(ModelDocument::Open(outcome.kept).Model().comment, kEdited) << where;
      return "not saved, original intact, edits kept beside";
    }
    return "not saved, original intact, edits still in the document";
  }

  // Every call a fault-free save of `kind` makes, each failing in turn.
  std::vector<Fault> EveryFailurePoint(Kind kind, bool windowsReplace) {
    FaultySystem counting;
    if (windowsReplace) {
      counting.ReplaceAsWindowsDoes();
    }
    const Outcome clean = SaveWith(counting, kind);
    EXPECT_TRUE(clean.saved) << clean.message;
    std::vector<Fault> faults;
    for (const auto& [call, uses] : counting.Uses()) {
      for (int nth = 1; nth <= uses; ++nth) {
        faults.push_back({call, nth, EIO});
      }
    }
    return faults;
  }

  void RunEveryFailurePoint(Kind kind, bool windowsReplace) {
    const std::vector<Fault> faults = EveryFailurePoint(kind, windowsReplace);
    EXPECT_GE(faults.size(), 8u);
    for (const Fault& fault : faults) {
      FaultySystem system;
      if (windowsReplace) {
        system.ReplaceAsWindowsDoes();
      }
      system.FailAt(fault.call, fault.nth, fault.error);
      ModelDocument document(host::Model{});
      const Outcome outcome = SaveWith(system, kind, nullptr, &document);
      const std::string said = Check(kind, outcome, fault);
      if (!outcome.saved && outcome.kept.empty()) {
        // The edits stayed in the document: a save without the fault saves them.
        const SystemScope real(host::RealSystem());
        if (kind == Kind::kSave) {
          document.Save();
        } else {
          document.SaveCopy(Copy());
        }
        EXPECT_EQ(ModelDocument::Open(Written(kind)).Model().comment, kEdited) << fault.call;
      }
      std::cout << "| " << NameOf(kind) << (windowsReplace ? ", Windows-like replace" : "") << " | "
                << fault.call << " #" << fault.nth << " (" << std::strerror(fault.error) << ") | "
                << said << " |\n";
    }
  }

  std::optional<TempFolder> folder_;
  std::string original_;
  std::string other_;
};

TEST_F(SaveFailuresTest, EveryStepOfASaveFailingLosesNothing) {
  RunEveryFailurePoint(Kind::kSave, false);
}

TEST_F(SaveFailuresTest, EveryStepOfASaveAsFailingLosesNothing) {
  RunEveryFailurePoint(Kind::kSaveAsNew, false);
  RunEveryFailurePoint(Kind::kSaveAsOver, false);
}

TEST_F(SaveFailuresTest, EveryStepOfAWindowsLikeReplaceFailingLosesNothing) {
  RunEveryFailurePoint(Kind::kSave, true);
  RunEveryFailurePoint(Kind::kSaveAsOver, true);
}

// Changes the model file in place in the last moment before it is replaced.
class ChangeInLastMoment : public ModelDocument::SaveObserver {
 public:
  void NewFileWritten(const std::string&) override {}
  void LastCheckMade(const std::string& target) override {
    WriteWholeFile(target, ReadWholeFile(target) + "x");
  }
};

// A replace that stops halfway: the system moved the old file aside and could not
// give the new one its name. The save finds the old file where it was moved.
struct HalfwayCase {
  const char* name;
  std::vector<Fault> faults;  // besides the halfway replace
  bool changedInLastMoment;
  const char* outcome;  // "saved", "put back", "put back, edits kept beside", "both kept"
};

class HalfwayReplaceTest : public SaveFailuresTest,
                           public ::testing::WithParamInterface<HalfwayCase> {};

TEST_P(HalfwayReplaceTest, FindsTheOldFileAndLosesNothing) {
  const HalfwayCase& test = GetParam();
  FaultySystem system;
  system.ReplaceAsWindowsDoes(1);
  for (const Fault& fault : test.faults) {
    system.FailAt(fault.call, fault.nth, fault.error);
  }
  ChangeInLastMoment changer;
  ModelDocument document(host::Model{});
  const Outcome outcome =
      SaveWith(system, Kind::kSave, test.changedInLastMoment ? &changer : nullptr, &document);
  ASSERT_EQ(system.Backups().size(), 1u);
  const std::string outcomeName = test.outcome;
  std::cout << "| save, Windows-like replace stopped halfway, " << test.name << " | " << outcomeName
            << " | " << outcome.message << " |\n";
  EXPECT_TRUE(outcome.temporaries.empty() || outcomeName == "both kept") << outcome.message;
  if (outcomeName == "saved") {
    EXPECT_TRUE(outcome.saved) << outcome.message;
    EXPECT_EQ(ModelDocument::Open(Model()).Model().comment, kEdited);
  } else if (outcomeName == "put back") {
    EXPECT_THAT(outcome.message, ::testing::HasSubstr("not saved: cannot put "));
    EXPECT_EQ(ReadWholeFile(Model()), original_);
    EXPECT_TRUE(document.CommentsChanged());
  } else if (outcomeName == "put back, edits kept beside") {
    EXPECT_THAT(outcome.message, ::testing::HasSubstr("in the moment before it was replaced"));
    EXPECT_EQ(ReadWholeFile(Model()), original_ + "x");
    EXPECT_EQ(ModelDocument::Open(outcome.kept).Model().comment, kEdited);
  } else {
    // Neither file could be given the name: both are kept, and named.
    EXPECT_THAT(outcome.message, ::testing::HasSubstr("not saved under its name"));
    EXPECT_THAT(outcome.message, ::testing::HasSubstr(system.Backups()[0]));
    EXPECT_EQ(ReadWholeFile(system.Backups()[0]), original_);
    EXPECT_THAT(folder_->Entries(), ::testing::Contains("model.unsaved.ms3d"));
    EXPECT_EQ(ModelDocument::Open(folder_->File("model.unsaved.ms3d")).Model().comment, kEdited);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HalfwayReplaceTest,
    ::testing::Values(
        HalfwayCase{"the new file takes the name then", {}, false, "saved"},
        HalfwayCase{"the new file cannot take the name",
                    {{"move to new name", 1, EACCES}},
                    false,
                    "put back"},
        HalfwayCase{"the old file was changed meanwhile", {}, true, "put back, edits kept beside"},
        HalfwayCase{"no file can take the name",
                    {{"move to new name", 1, EACCES},
                     {"move to new name", 2, EACCES},
                     {"move to new name", 3, EACCES}},
                    false,
                    "both kept"}),
    [](const auto& info) { return std::to_string(info.index); });

// Another program changed the model in the last moment: the old file is given its
// name back and the edits kept beside it; where the old file cannot be given its
// name back, the new one stays in place and the old one is kept beside it.
struct PutBackCase {
  const char* name;
  bool windowsReplace;
  std::vector<Fault> faults;
  bool putBack;
};

class PutBackTest : public SaveFailuresTest, public ::testing::WithParamInterface<PutBackCase> {};

TEST_P(PutBackTest, NeitherFileIsLost) {
  const PutBackCase& test = GetParam();
  FaultySystem system;
  if (test.windowsReplace) {
    system.ReplaceAsWindowsDoes();
  }
  for (const Fault& fault : test.faults) {
    system.FailAt(fault.call, fault.nth, fault.error);
  }
  ChangeInLastMoment changer;
  const Outcome outcome = SaveWith(system, Kind::kSave, &changer);
  std::cout << "| save" << (test.windowsReplace ? ", Windows-like replace" : "")
            << ", changed in the last moment, " << test.name << " | " << outcome.message << " |\n";
  if (!test.windowsReplace && !test.faults.empty() && system.Uses().count("exchange") == 0) {
    GTEST_SKIP() << "this system's replace keeps the old file under a backup name";
  }
  ASSERT_FALSE(outcome.saved);
  EXPECT_TRUE(outcome.temporaries.empty()) << outcome.message;
  const std::string theirs = original_ + "x";
  if (test.putBack) {
    EXPECT_THAT(outcome.message, ::testing::HasSubstr(": not saved: another program changed the "
                                                      "file in the moment before it was replaced"));
    EXPECT_EQ(ReadWholeFile(Model()), theirs);
    EXPECT_EQ(ModelDocument::Open(outcome.kept).Model().comment, kEdited);
  } else {
    EXPECT_THAT(outcome.message, ::testing::HasSubstr(": saved, but another program changed the "
                                                      "file in the moment before it was replaced"));
    EXPECT_EQ(ModelDocument::Open(Model()).Model().comment, kEdited);
    EXPECT_EQ(ReadWholeFile(outcome.kept), theirs);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PutBackTest,
    ::testing::Values(
        PutBackCase{"names traded back", false, {}, true},
        PutBackCase{"names cannot be traded back", false, {{"exchange", 1, EIO}}, false},
        PutBackCase{"moved back", true, {}, true},
        PutBackCase{
            "the new file cannot be moved aside", true, {{"move to new name", 1, EACCES}}, false},
        PutBackCase{
            "the old file cannot be moved back", true, {{"move to new name", 2, EACCES}}, false}),
    [](const auto& info) { return std::to_string(info.index); });

// A model another program rewrote since it was opened: the save keeps the edits
// beside it as text. Each step of that failing in turn leaves no half-written file:
// the edits are kept whole, or the message says they could not be and they stay in
// the document.
TEST_F(SaveFailuresTest, EveryStepOfKeepingTheEditsAsTextFailingLosesNothing) {
  const auto saveOverRewritten = [&](FaultySystem& system, ModelDocument& document) {
    folder_.emplace();
    WriteWholeFile(Model(), original_);
    document = ModelDocument::Open(Model());
    document.SetModelComment(kEdited);
    std::string rewritten = original_;
    rewritten.back() ^= 1;
    WriteWholeFile(Model(), rewritten);
    const SystemScope scope(system);
    try {
      document.Save();
    } catch (const Ms3dError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  FaultySystem counting;
  ModelDocument document(host::Model{});
  const std::string clean = saveOverRewritten(counting, document);
  ASSERT_THAT(clean, ::testing::HasSubstr("; your changes are kept in " +
                                          folder_->File("model.unsaved-comments.txt")));
  int points = 0;
  for (const char* call : {"create new", "write", "flush"}) {
    for (int nth = 1; nth <= counting.Uses().at(call); ++nth) {
      FaultySystem system;
      system.FailAt(call, nth, EIO);
      const std::string message = saveOverRewritten(system, document);
      std::string said;
      if (message.find("; your changes are kept in") != std::string::npos) {
        EXPECT_THAT(ReadWholeFile(folder_->File("model.unsaved-comments.txt")),
                    ::testing::HasSubstr(kEdited));
        said = "not saved, edits kept beside as text";
      } else {
        // Failed in the save's own steps before it was refused, or in keeping the edits.
        const bool keeping =
            message.find("could not be kept beside it either") != std::string::npos;
        EXPECT_THAT(message, ::testing::HasSubstr(": not saved: "));
        EXPECT_TRUE(document.CommentsChanged());
        EXPECT_THAT(folder_->Entries(), ::testing::ElementsAre("model.ms3d")) << message;
        said = keeping
                   ? "not saved, edits could not be kept beside (said so), still in the document"
                   : "not saved (the save's own step), edits still in the document";
      }
      std::cout << "| save over a rewritten model | " << call << " #" << nth << " ("
                << std::strerror(EIO) << ") | " << said << " |\n";
      ++points;
    }
  }
  EXPECT_GE(points, 3);
}

// Where names cannot be traded in one step, the new file is renamed over the old.
TEST_F(SaveFailuresTest, ExchangeUnsupportedFallsBackToARename) {
  FaultySystem system;
  system.FailAt("replace", 1, EINVAL);
  const Outcome outcome = SaveWith(system, Kind::kSave);
  EXPECT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(system.Uses().at("replace"), 2);
  EXPECT_EQ(ModelDocument::Open(Model()).Model().comment, kEdited);
  EXPECT_TRUE(outcome.temporaries.empty());
}

// A file system that cannot list a file's extended attributes: the save does not go
// on as if there were none to keep.
TEST_F(SaveFailuresTest, AttributesThatCannotBeListedRefuseTheSave) {
  FaultySystem system;
  system.FailAt("list attributes", 1, EIO);
  const Outcome outcome = SaveWith(system, Kind::kSave);
  ASSERT_FALSE(outcome.saved);
  EXPECT_THAT(
      outcome.message,
      ::testing::HasSubstr("not saved: its extended attributes cannot be read (" +
                           std::string(std::strerror(EIO)) + "), so they could not be kept"));
  EXPECT_EQ(ReadWholeFile(Model()), original_);
  EXPECT_EQ(ModelDocument::Open(outcome.kept).Model().comment, kEdited);
  EXPECT_TRUE(outcome.temporaries.empty());
}

}  // namespace
}  // namespace quorvel::host
