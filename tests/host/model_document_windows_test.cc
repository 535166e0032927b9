// Saving on Windows: the new file is written beside the model and put in its place
// in one step, while the file that was read is still open; a save that must be
// refused keeps the original as it is and the edits beside it; no temporary file
// outlives a save.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

#include "host/atomic_file.h"
#include "host/model_document.h"
#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/temporary_name.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

constexpr char kNewComment[] = "OPT_FPS=25\r\nNum Events=0\r\n";

// The model at `path`, opened, with the model's comment changed to kNewComment.
ModelDocument OpenWithNewComment(const std::string& path) {
  ModelDocument document = ModelDocument::Open(path);
  document.SetModelComment(kNewComment);
  return document;
}

class WindowsSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d");
    path_ = FleetIn(folder_);
  }
  // The example model written into `folder`: its path, as Windows programs write
  // paths, with backslashes.
  std::string FleetIn(const TempFolder& folder) const {
    std::string path = folder.Path() + "\\fleet.ms3d";
    WriteWholeFile(path, original_);
    return path;
  }
  void TearDown() override { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }

  TempFolder folder_;
  std::string original_;
  std::string path_;
};

TEST_F(WindowsSaveTest, ASaveReplacesTheFileAndLeavesNothingElse) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(kNewComment);
  document.Save();
  EXPECT_FALSE(document.CommentsChanged());
  EXPECT_EQ(ModelDocument::OpenForReading(path_).Model().comment, kNewComment);
  EXPECT_THAT(folder_.Entries(), ElementsAre("fleet.ms3d"));

  // The document goes on from the file it saved: a second save works as the first.
  document.SetJointComment(1, "Center Of Interest=Fighter1\r\nNum Events=0\r\n");
  document.Save();
  const ModelDocument again = ModelDocument::OpenForReading(path_);
  EXPECT_EQ(again.Model().comment, kNewComment);
  EXPECT_EQ(again.Model().joints[1].comment, "Center Of Interest=Fighter1\r\nNum Events=0\r\n");
  EXPECT_THAT(folder_.Entries(), ElementsAre("fleet.ms3d"));
}

TEST_F(WindowsSaveTest, RefusedSavesKeepTheOriginalAndTheEditsBeside) {
  const std::string rewritten = [this] {
    std::string bytes = original_;
    bytes[20] = static_cast<char>(bytes[20] ^ 1);  // a vertex's flags; same size
    return bytes;
  }();
  const struct {
    const char* name;
    std::function<void(const std::string& path)> disturb;
    std::string leftAtPath;
    const char* reason;
    const char* kept;  // the name the edits are kept under
  } cases[] = {
      {"rewritten in place", [&](const std::string& path) { WriteWholeFile(path, rewritten); },
       rewritten, "changed on disk", "fleet.unsaved-comments.txt"},
      {"replaced by another file",
       [&](const std::string& path) {
         WriteWholeFile(path + ".new", original_ + "x");
         // As another program saving the same way would.
         ASSERT_TRUE(
             ReplaceFileA(path.c_str(), (path + ".new").c_str(), nullptr, 0, nullptr, nullptr));
       },
       original_ + "x", "changed on disk", "fleet.unsaved.ms3d"},
      {"made read-only",
       [](const std::string& path) {
         ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
       },
       original_, "read-only", "fleet.unsaved.ms3d"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TempFolder folder;
    const std::string path = FleetIn(folder);
    {
      ModelDocument document = OpenWithNewComment(path);
      test.disturb(path);
      try {
        document.Save();
        ADD_FAILURE() << "the save was not refused";
      } catch (const Ms3dError& error) {
        EXPECT_THAT(error.what(), HasSubstr(path + ": not saved: "));
        EXPECT_THAT(error.what(), HasSubstr(test.reason));
        EXPECT_THAT(error.what(), HasSubstr("your changes are kept in "));
      }
    }
    // The document, closed, holds no file that another program replaced any more.
    EXPECT_EQ(ReadWholeFile(path), test.leftAtPath);
    EXPECT_THAT(folder.Entries(), UnorderedElementsAre(test.kept, "fleet.ms3d"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// Runs an action once the last check before the replace found the model as read.
class AfterTheLastCheck : public ModelDocument::SaveObserver {
 public:
  explicit AfterTheLastCheck(std::function<void(const std::string&)> action)
      : action_(std::move(action)) {}
  void NewFileWritten(const std::string&) override {}
  void LastCheckMade(const std::string& target) override { action_(target); }

 private:
  std::function<void(const std::string&)> action_;
};

// Another program writes the model in the moment between the last check and the
// replace: the replace finds it under the backup name, puts it back, and the edits
// are kept beside.
TEST_F(WindowsSaveTest, AChangeInTheLastMomentIsPutBack) {
  const std::string theirs = original_ + "x";
  const struct {
    const char* name;
    std::function<void(const std::string& path)> change;
  } cases[] = {
      {"rewritten in place", [&](const std::string& path) { WriteWholeFile(path, theirs); }},
      {"replaced by another file",
       [&](const std::string& path) {
         WriteWholeFile(path + ".new", theirs);
         ASSERT_TRUE(
             ReplaceFileA(path.c_str(), (path + ".new").c_str(), nullptr, 0, nullptr, nullptr));
       }},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TempFolder folder;
    const std::string path = FleetIn(folder);
    {
      ModelDocument document = OpenWithNewComment(path);
      AfterTheLastCheck observer(test.change);
      document.SetSaveObserver(&observer);
      try {
        document.Save();
        ADD_FAILURE() << "the save was not refused";
      } catch (const Ms3dError& error) {
        EXPECT_THAT(error.what(), HasSubstr(path + ": not saved: another program changed the file "
                                                   "in the moment before it was replaced"));
      }
    }
    EXPECT_EQ(ReadWholeFile(path), theirs);
    EXPECT_THAT(folder.Entries(), UnorderedElementsAre("fleet.unsaved.ms3d", "fleet.ms3d"));
    EXPECT_EQ(ModelDocument::OpenForReading(folder.Path() + "\\fleet.unsaved.ms3d").Model().comment,
              kNewComment);
  }
}

TEST_F(WindowsSaveTest, AFailedReplaceLeavesTheOriginalAndNoTemporaryFile) {
  // Allowed past the read-only check, the save fails where the system refuses to
  // replace a read-only file.
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(kNewComment);
  document.AllowSavingReadOnly(true);
  ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    document.Save();
    ADD_FAILURE() << "the save did not fail";
  } catch (const Ms3dError& error) {
    EXPECT_THAT(error.what(), HasSubstr(path_ + ": not saved: cannot put "));
  }
  EXPECT_TRUE(document.CommentsChanged());
  EXPECT_EQ(ReadWholeFile(path_), original_);
  EXPECT_THAT(folder_.Entries(), ElementsAre("fleet.ms3d"));
}

// Holds the new file open so that it cannot be renamed, as another program (a virus
// scanner, an indexer) may: the system's replace then fails, possibly halfway, with
// the old file moved aside to the backup name.
class HoldNewFile : public ModelDocument::SaveObserver {
 public:
  ~HoldNewFile() override { Let(); }
  void NewFileWritten(const std::string& temporaryPath) override {
    held_ = CreateFileA(temporaryPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
    path_ = temporaryPath;
  }
  void Let() {
    if (held_ != INVALID_HANDLE_VALUE) {
      CloseHandle(held_);
      held_ = INVALID_HANDLE_VALUE;
    }
  }
  const std::string& Path() const { return path_; }

 private:
  HANDLE held_ = INVALID_HANDLE_VALUE;
  std::string path_;
};

TEST_F(WindowsSaveTest, AReplaceThatCannotMoveTheNewFileLeavesTheOriginalInPlace) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(kNewComment);
  HoldNewFile holder;
  document.SetSaveObserver(&holder);
  std::string message;
  try {
    document.Save();
  } catch (const Ms3dError& error) {
    message = error.what();
  }
  holder.Let();
  std::printf("the save with the new file held: %s\n", message.c_str());
  EXPECT_THAT(message, HasSubstr(path_ + ": not saved: cannot put "));
  EXPECT_EQ(ReadWholeFile(path_), original_);
  EXPECT_TRUE(document.CommentsChanged());
  // The file held could not be removed while it was held; nothing else is left.
  DeleteFileA(holder.Path().c_str());
  EXPECT_THAT(folder_.Entries(), ElementsAre("fleet.ms3d"));
  document.SetSaveObserver(nullptr);
  document.Save();
  EXPECT_EQ(ModelDocument::OpenForReading(path_).Model().comment, kNewComment);
}

TEST_F(WindowsSaveTest, ACopyGoesToANewFileOrReplacesAnotherOne) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(kNewComment);
  const std::string fresh = folder_.File("fresh.ms3d");
  const std::string existing = folder_.File("existing.ms3d");
  WriteWholeFile(existing, "old");
  for (const std::string& target : {fresh, existing}) {
    SCOPED_TRACE(target);
    document.SaveCopy(target);
    EXPECT_EQ(ModelDocument::OpenForReading(target).Model().comment, kNewComment);
  }
  EXPECT_TRUE(document.CommentsChanged());
  EXPECT_EQ(ReadWholeFile(path_), original_);
  EXPECT_THAT(folder_.Entries(), ElementsAre("existing.ms3d", "fleet.ms3d", "fresh.ms3d"));
  EXPECT_THROW(document.SaveCopy(path_), Ms3dError);
}

TEST_F(WindowsSaveTest, LeftOverTemporaryFilesAreThoseOfThisModelOnly) {
  for (const char* name : {".fleet.ms3d.quorvel-save-Ab12Cd", ".fleet.ms3d.quorvel-save-toolong",
                           ".other.ms3d.quorvel-save-Ab12Cd"}) {
    WriteWholeFile(folder_.File(name), "");
  }
  EXPECT_THAT(AtomicFile::LeftOverTemporaryFiles(path_),
              ElementsAre(folder_.Path() + "\\.fleet.ms3d.quorvel-save-Ab12Cd"));
  // The names of this version hash the name in lower case: every spelling finds them.
  const std::string mine = TemporaryNamePrefix("fleet.ms3d") + "Qz09aB";
  WriteWholeFile(folder_.File(mine), "");
  WriteWholeFile(folder_.File(TemporaryNamePrefix("other.ms3d") + "Qz09aB"), "");
  EXPECT_THAT(AtomicFile::LeftOverTemporaryFiles(folder_.Path() + "\\FLEET.ms3d"),
              UnorderedElementsAre(folder_.Path() + "\\.fleet.ms3d.quorvel-save-Ab12Cd",
                                   folder_.Path() + "\\" + mine));
}

TEST(WindowsPathTest, BackslashesAndDrivesSeparateFolderAndName) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\models\\fleet.ms3d", "C:\\models", "fleet.ms3d"},
      {"C:\\fleet.ms3d", "C:\\", "fleet.ms3d"},
      {"C:/models/fleet.ms3d", "C:/models", "fleet.ms3d"},
      {"models\\fleet.ms3d", "models", "fleet.ms3d"},
      {"fleet.ms3d", ".", "fleet.ms3d"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(FolderOf(test.path), test.folder) << test.path;
    EXPECT_EQ(BaseNameOf(test.path), test.name) << test.path;
  }
}

}  // namespace
}  // namespace quorvel::host
