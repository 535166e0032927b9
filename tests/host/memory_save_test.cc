// A save and a save-as over a system kept in memory, each of their calls failing in
// turn: the same promises as on a disk (nothing lost, the original intact, the edits
// kept and named or still in the document, no temporary file left), with no disk
// and no timing of a real file system involved.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <cerrno>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "host/model_document.h"
#include "host/ms3d_error.h"
#include "host/system.h"
#include "host/temporary_name.h"
#include "tests/support/faulty_system.h"
#include "tests/support/memory_system.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::FaultySystem;
using quorvel::testing::MemorySystem;
using quorvel::testing::SampleFixture;
using quorvel::testing::WriteMs3d;

constexpr char kModel[] = "/mem/model.ms3d";
constexpr char kCopy[] = "/mem/copy.ms3d";
constexpr char kEdited[] = "edited in memory";

struct SaveRun {
  bool saved = false;
  std::string message;
  bool stillChanged = false;
};

// Opens the model in `memory`, changes its comment and saves it (to kCopy with
// `copy`) with `fault` failing, if any.
SaveRun SaveIn(MemorySystem& memory, bool copy, const std::string& call, int nth,
               std::map<std::string, int>* uses = nullptr) {
  FaultySystem system(memory);
  if (!call.empty()) {
    system.FailAt(call, nth, EIO);
  }
  SaveRun run;
  {
    const SystemScope scope(memory);
    ModelDocument document = ModelDocument::Open(kModel);
    document.SetModelComment(kEdited);
    const SystemScope failing(system);
    try {
      copy ? document.SaveCopy(kCopy) : document.Save();
      run.saved = true;
    } catch (const Ms3dError& error) {
      run.message = error.what();
    }
    run.stillChanged = document.CommentsChanged();
  }
  if (uses != nullptr) {
    *uses = system.Uses();
  }
  return run;
}

std::string CommentOf(MemorySystem& memory, const std::string& path) {
  const SystemScope scope(memory);
  return ModelDocument::Open(path).Model().comment;
}

TEST(MemorySaveTest, EveryCallOfASaveOrSaveAsFailingLosesNothing) {
  const std::string original = WriteMs3d(SampleFixture()).bytes;
  for (const bool copy : {false, true}) {
    std::map<std::string, int> uses;
    {
      MemorySystem memory;
      memory.WriteFile(kModel, original);
      ASSERT_TRUE(SaveIn(memory, copy, "", 0, &uses).saved);
      EXPECT_EQ(CommentOf(memory, copy ? kCopy : kModel), kEdited);
    }
    int points = 0;
    for (const auto& [call, count] : uses) {
      for (int nth = 1; nth <= count; ++nth, ++points) {
        MemorySystem memory;
        memory.WriteFile(kModel, original);
        const SaveRun run = SaveIn(memory, copy, call, nth);
        const std::string where = call + " #" + std::to_string(nth) + ": " + run.message;
        for (const std::string& name : memory.Entries("/mem")) {
          EXPECT_FALSE(IsTemporaryNameOf(name, "model.ms3d") && !(run.saved && call == "remove"))
              << where;
          EXPECT_FALSE(IsTemporaryNameOf(name, "copy.ms3d")) << where;
        }
        if (run.saved) {
          EXPECT_EQ(CommentOf(memory, copy ? kCopy : kModel), kEdited) << where;
          continue;
        }
        EXPECT_EQ(memory.ReadFile(kModel), original) << where;
        EXPECT_EQ(memory.ReadFile(kCopy), std::nullopt) << where;
        const std::size_t kept = run.message.find("; your changes are kept in ");
        if (kept != std::string::npos) {
          EXPECT_EQ(CommentOf(memory, run.message.substr(kept + 27)), kEdited) << where;
        } else {
          EXPECT_TRUE(run.stillChanged) << where;
        }
      }
    }
    EXPECT_GE(points, 10);
    std::printf("%s in memory: %d failure points\n", copy ? "save-as" : "save", points);
  }
}

}  // namespace
}  // namespace quorvel::host
