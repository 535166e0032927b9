#include "host/model_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>

#include "host/ms3d_error.h"
#include "tests/host/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::Ms3dBytes;
using quorvel::testing::Ms3dFixture;
using quorvel::testing::ReadWholeFile;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;

struct stat StatusOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
  return status;
}

std::string SaveError(ModelDocument& document) {
  try {
    document.Save();
  } catch (const Ms3dError& error) {
    return error.what();
  }
  return "(saved)";
}

class ModelDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = WriteMs3d(SampleFixture());
    path_ = folder_.File("model.ms3d");
    WriteWholeFile(path_, file_.bytes);
  }

  TempFolder folder_;
  Ms3dBytes file_;
  std::string path_;
};

TEST_F(ModelDocumentTest, SaveWithoutChangeLeavesTheFileAlone) {
  struct stat before = StatusOf(path_);
  ModelDocument document = ModelDocument::Open(path_);
  document.SetJointComment(2, document.model().joints[2].comment);  // same text
  document.SetModelComment(document.model().comment);
  EXPECT_FALSE(document.CommentsChanged());
  // Even a folder in which nothing can be created does not matter then.
  document.Save();
  struct stat after = StatusOf(path_);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
}

TEST_F(ModelDocumentTest, ChangedCommentRewritesOnlyTheCommentsSection) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetJointComment(0, "Sob Type=ship\r\n");
  document.SetModelComment("OPT_FPS=25\r\n");
  EXPECT_TRUE(document.CommentsChanged());
  document.Save();
  EXPECT_FALSE(document.CommentsChanged());

  Ms3dFixture expected = SampleFixture();
  expected.jointComments.insert(expected.jointComments.begin(), {0, "Sob Type=ship\r\n"});
  expected.modelComment = "OPT_FPS=25\r\n";
  EXPECT_EQ(ReadWholeFile(path_), WriteMs3d(expected).bytes);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"model.ms3d"});

  ModelDocument reopened = ModelDocument::Open(path_);
  EXPECT_EQ(reopened.model().joints[0].comment, "Sob Type=ship\r\n");
  EXPECT_EQ(reopened.model().joints[2].comment, document.model().joints[2].comment);
}

TEST_F(ModelDocumentTest, SavesAgainAfterASave) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetJointComment(3, "first");
  document.Save();
  document.SetJointComment(3, "second, longer than the first");
  document.Save();
  EXPECT_EQ(ModelDocument::Open(path_).model().joints[3].comment, "second, longer than the first");
}

TEST_F(ModelDocumentTest, FileWithoutCommentsSectionGetsOneAppended) {
  Ms3dFixture f = SampleFixture();
  f.withComments = false;
  f.trailer.clear();
  std::string original = WriteMs3d(f).bytes;
  WriteWholeFile(path_, original);

  ModelDocument document = ModelDocument::Open(path_);
  document.SetJointComment(1, "Center Of Interest=Rock\r\n");
  document.Save();

  std::string saved = ReadWholeFile(path_);
  EXPECT_EQ(saved.substr(0, original.size()), original);
  f.withComments = true;
  f.groupComments.clear();
  f.jointComments = {{1, "Center Of Interest=Rock\r\n"}};
  f.modelComment.reset();
  EXPECT_EQ(saved, WriteMs3d(f).bytes);
}

TEST_F(ModelDocumentTest, KeepsPermissionsAndFollowsSymbolicLinks) {
  ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
  std::string link = folder_.File("link.ms3d");
  ASSERT_EQ(symlink("model.ms3d", link.c_str()), 0);

  ModelDocument document = ModelDocument::Open(link);
  document.SetModelComment("changed");
  document.Save();

  EXPECT_TRUE(S_ISLNK(StatusOf(link).st_mode));
  EXPECT_EQ(StatusOf(path_).st_mode & 07777, 0640u);
  EXPECT_EQ(ModelDocument::Open(path_).model().comment, "changed");
}

TEST_F(ModelDocumentTest, RefusesToOverwriteAFileChangedOnDisk) {
  ModelDocument document = ModelDocument::Open(path_);
  std::string edited = file_.bytes + "more";
  WriteWholeFile(path_, edited);
  document.SetModelComment("mine");
  EXPECT_THAT(SaveError(document), HasSubstr("model.ms3d: not saved: the file changed on disk"));
  EXPECT_EQ(ReadWholeFile(path_), edited);
}

TEST_F(ModelDocumentTest, FailedWriteLeavesTheOriginalAndNoTemporaryFile) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(std::string(100000, 'x'));

  // Files may not grow beyond 4096 bytes for the length of the save.
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error = SaveError(document);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_THAT(error, HasSubstr("model.ms3d: not saved: cannot write"));
  EXPECT_THAT(error, HasSubstr("File too large"));
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"model.ms3d"});
  EXPECT_TRUE(document.CommentsChanged());
  document.Save();  // and it works once the disk has room
  EXPECT_EQ(ModelDocument::Open(path_).model().comment, std::string(100000, 'x'));
}

TEST_F(ModelDocumentTest, FailureToCreateTheTemporaryFileSaysWhere) {
  // A name so long that no temporary name can be made beside it.
  std::string longName = folder_.File(std::string(250, 'm') + ".ms3d");
  std::filesystem::rename(path_, longName);
  ModelDocument longOne = ModelDocument::Open(longName);
  longOne.SetModelComment("mine");
  EXPECT_THAT(SaveError(longOne), HasSubstr("not saved: cannot create a temporary file in " +
                                            folder_.path() + ": File name too long"));
  EXPECT_EQ(ReadWholeFile(longName), file_.bytes);
}

std::string CopyError(ModelDocument& document, const std::string& target) {
  try {
    document.SaveCopy(target);
  } catch (const Ms3dError& error) {
    return error.what();
  }
  return "(saved)";
}

// A copy holds the edited comments and every other byte of the original, which is
// left as it was; an existing target is replaced and keeps its permissions.
TEST_F(ModelDocumentTest, SaveCopyWritesTheEditedModelElsewhere) {
  const std::string existing = folder_.File("existing.ms3d");
  WriteWholeFile(existing, "old");
  ASSERT_EQ(chmod(existing.c_str(), 0604), 0);
  for (const std::string& target : {folder_.File("copy.ms3d"), existing}) {
    ModelDocument document = ModelDocument::Open(path_);
    document.SetModelComment("mine");
    document.SaveCopy(target);
    EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
    EXPECT_TRUE(document.CommentsChanged());
    ModelDocument copy = ModelDocument::Open(target);
    EXPECT_EQ(copy.model().comment, "mine");
    EXPECT_EQ(copy.model().joints.size(), document.model().joints.size());
  }
  EXPECT_EQ(StatusOf(existing).st_mode & 07777, 0604u);
  EXPECT_EQ(folder_.Entries(),
            (std::vector<std::string>{"copy.ms3d", "existing.ms3d", "model.ms3d"}));
}

// Every failure names the target and why, and writes nothing anywhere.
TEST_F(ModelDocumentTest, SaveCopyThatFailsWritesNothing) {
  const std::string existing = folder_.File("existing.ms3d");
  WriteWholeFile(existing, "old");
  struct Case {
    std::string target;
    std::string error;
  };
  const Case cases[] = {
      {folder_.File("missing/copy.ms3d"), "missing/copy.ms3d: not saved: cannot create the file"},
      {folder_.File("copy.ms3d"), "copy.ms3d: not saved: cannot write"},
      {existing, "existing.ms3d: not saved: cannot write"},
  };
  for (const Case& c : cases) {
    ModelDocument document = ModelDocument::Open(path_);
    document.SetModelComment(std::string(100000, 'x'));
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = CopyError(document, c.target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_THAT(error, HasSubstr(c.error));
    EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
    EXPECT_EQ(ReadWholeFile(existing), "old");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"existing.ms3d", "model.ms3d"}));
  }

  // The rest of the model comes from the original, which must not have changed.
  ModelDocument document = ModelDocument::Open(path_);
  WriteWholeFile(path_, file_.bytes + "more");
  document.SetModelComment("mine");
  EXPECT_THAT(CopyError(document, folder_.File("copy.ms3d")),
              HasSubstr("copy.ms3d: not saved: " + path_ + " changed on disk since it was opened"));
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"existing.ms3d", "model.ms3d"}));
}

TEST(ModelDocumentInMemoryTest, HasNoFileToSaveTo) {
  Model model;
  model.joints.resize(1);
  ModelDocument document(model);
  document.SetJointComment(0, "x");
  document.SetJointComment(7, "ignored");  // no such joint
  EXPECT_EQ(SaveError(document), "the model has no file to be saved to");
}

}  // namespace
}  // namespace quorvel::host
