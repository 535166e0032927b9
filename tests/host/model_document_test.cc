#include "host/model_document.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <climits>
#include <csignal>
#include <filesystem>
#include <functional>

#include "host/ms3d_error.h"
#include "tests/support/ms3d_fixture.h"

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

// While it lives, files this process writes may not grow beyond `bytes`, and going
// past that fails the write instead of ending the process (SIGXFSZ ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
      return;
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved_;
    small.rlim_cur = bytes;
    applied_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    restore_ = true;
  }
  ~FileSizeLimit() {
    if (!restore_)
      return;
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool applied() const { return applied_; }

 private:
  struct rlimit saved_ {};
  void (*previous_)(int) = SIG_DFL;
  bool restore_ = false;
  bool applied_ = false;
};

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
  document.SetJointComment(2, document.Model().joints[2].comment);  // same text
  document.SetModelComment(document.Model().comment);
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
  EXPECT_EQ(reopened.Model().joints[0].comment, "Sob Type=ship\r\n");
  EXPECT_EQ(reopened.Model().joints[2].comment, document.Model().joints[2].comment);
}

TEST_F(ModelDocumentTest, SavesAgainAfterASave) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetJointComment(3, "first");
  document.Save();
  document.SetJointComment(3, "second, longer than the first");
  document.Save();
  EXPECT_EQ(ModelDocument::Open(path_).Model().joints[3].comment, "second, longer than the first");
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
  EXPECT_EQ(ModelDocument::Open(path_).Model().comment, "changed");
}

TEST_F(ModelDocumentTest, RefusesToOverwriteAFileChangedOnDisk) {
  ModelDocument document = ModelDocument::Open(path_);
  std::string edited = file_.bytes + "more";
  WriteWholeFile(path_, edited);
  document.SetModelComment("mine");
  EXPECT_THAT(SaveError(document), HasSubstr("model.ms3d: not saved: the file changed on disk"));
  EXPECT_EQ(ReadWholeFile(path_), edited);
}

// Outside writes on real files move the times along with whatever else they change;
// here each part of the identity differs alone.
TEST(FileIdentityTest, EachFieldAloneMakesADifferentFile) {
  using Identity = ModelDocument::FileIdentity;
  const Identity read{.volume = 2049,
                      .index = 77,
                      .size = 4096,
                      .modified = 1700000000123,
                      .changed = 1700000000456,
                      .hash = 0x0123456789abcdefu};
  const std::pair<const char*, std::function<void(Identity&)>> changes[] = {
      {"volume", [](Identity& i) { ++i.volume; }},
      {"index", [](Identity& i) { ++i.index; }},
      {"size", [](Identity& i) { ++i.size; }},
      {"modified", [](Identity& i) { ++i.modified; }},
      {"changed", [](Identity& i) { ++i.changed; }},
      {"hash", [](Identity& i) { i.hash ^= 1; }},
  };
  for (const auto& [field, change] : changes) {
    SCOPED_TRACE(field);
    Identity now = read;
    change(now);
    EXPECT_FALSE(ModelDocument::Same(read, now));
    EXPECT_FALSE(ModelDocument::Same(now, read));
  }
  const Identity copy = read;
  EXPECT_TRUE(ModelDocument::Same(read, copy));
}

TEST_F(ModelDocumentTest, FailedWriteLeavesTheOriginalAndNoTemporaryFile) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment(std::string(100000, 'x'));

  // Files may not grow beyond 4096 bytes for the length of the save.
  std::string error;
  {
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.applied());
    error = SaveError(document);
  }

  EXPECT_THAT(error, HasSubstr("model.ms3d: not saved: cannot write"));
  EXPECT_THAT(error, HasSubstr("File too large"));
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"model.ms3d"});
  EXPECT_TRUE(document.CommentsChanged());
  document.Save();  // and it works once the disk has room
  EXPECT_EQ(ModelDocument::Open(path_).Model().comment, std::string(100000, 'x'));
}

// The temporary name does not grow with the model's: a model with a name as long as
// the folder takes is saved.
TEST_F(ModelDocumentTest, AModelWithTheLongestNameIsSaved) {
  for (std::size_t length : {245, 255}) {
    const std::string longName = folder_.File(std::string(length - 5, 'm') + ".ms3d");
    WriteWholeFile(longName, file_.bytes);
    ModelDocument longOne = ModelDocument::Open(longName);
    longOne.SetModelComment("mine");
    longOne.Save();
    EXPECT_EQ(ModelDocument::Open(longName).Model().comment, "mine") << length;
    std::filesystem::remove(longName);
  }
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"model.ms3d"});
}

TEST_F(ModelDocumentTest, FailureToCreateTheTemporaryFileSaysWhere) {
  // A folder whose path is so long that the model's fits below it but no temporary
  // name can be made beside it.
  const std::string deep = folder_.DeepFolder(PATH_MAX - 20);
  const std::string model = deep + "/m.ms3d";
  WriteWholeFile(model, file_.bytes);
  ModelDocument longOne = ModelDocument::Open(model);
  longOne.SetModelComment("mine");
  EXPECT_THAT(SaveError(longOne), HasSubstr("not saved: cannot create a temporary file in " + deep +
                                            ": File name too long"));
  EXPECT_EQ(ReadWholeFile(model), file_.bytes);
}

// Rewrites `path` in place with `bytes`, then gives it back its modification time.
void RewriteKeepingTheTime(const std::string& path, const std::string& bytes) {
  struct stat before = StatusOf(path);
  int fd = open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
  close(fd);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Runs an action between the steps of a save.
class Between : public ModelDocument::SaveObserver {
 public:
  explicit Between(std::function<void(const std::string&)> action, bool afterTheLastCheck = false)
      : action_(std::move(action)), afterTheLastCheck_(afterTheLastCheck) {}
  void NewFileWritten(const std::string& temporaryPath) override {
    if (!afterTheLastCheck_) {
      action_(temporaryPath);
    }
  }
  void LastCheckMade(const std::string& target) override {
    if (afterTheLastCheck_) {
      action_(target);
    }
  }

 private:
  std::function<void(const std::string&)> action_;
  bool afterTheLastCheck_;
};

// What another program does to the file, and when.
struct OutsideChange {
  const char* name;
  bool duringTheSave;  // else between opening and saving
  std::function<void(const std::string& path, const std::string& theirs)> change;
  // Whether the whole model, as read plus the change, can be kept; else the comments
  // are kept as text.
  bool wholeModelKept;
};

class OutsideChangeTest : public ModelDocumentTest,
                          public ::testing::WithParamInterface<OutsideChange> {};

TEST_P(OutsideChangeTest, IsNeverOverwrittenAndTheEditsAreKeptBeside) {
  const OutsideChange& change = GetParam();
  // Their version differs from ours in one byte of the geometry: same size.
  std::string theirs = file_.bytes;
  theirs[20] = static_cast<char>(theirs[20] ^ 0x5a);

  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  Between between([&](const std::string& temporaryPath) {
    EXPECT_EQ(access(temporaryPath.c_str(), F_OK), 0);
    change.change(path_, theirs);
  });
  if (change.duringTheSave) {
    document.SetSaveObserver(&between);
  } else {
    change.change(path_, theirs);
  }
  const std::string kept =
      folder_.File(change.wholeModelKept ? "model.unsaved.ms3d" : "model.unsaved-comments.txt");
  std::string error = SaveError(document);
  EXPECT_THAT(error, HasSubstr("model.ms3d: not saved: the file changed on disk"));
  EXPECT_THAT(error, HasSubstr("; your changes are kept in " + kept));
  EXPECT_EQ(ReadWholeFile(path_), theirs);
  if (change.wholeModelKept) {
    EXPECT_EQ(ModelDocument::Open(kept).Model().comment, "mine");
    Ms3dFixture expected = SampleFixture();
    expected.modelComment = "mine";
    EXPECT_EQ(ReadWholeFile(kept), WriteMs3d(expected).bytes);
  } else {
    EXPECT_THAT(ReadWholeFile(kept), HasSubstr("[model comment]\nmine\n"));
  }
  EXPECT_EQ(folder_.Entries(),
            (std::vector<std::string>{"model.ms3d", kept.substr(kept.rfind('/') + 1)}));
  EXPECT_TRUE(document.CommentsChanged());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, OutsideChangeTest,
    ::testing::Values(OutsideChange{"SameSizeTimeRestored", false, RewriteKeepingTheTime, false},
                      OutsideChange{"SameSizeTimeRestoredDuringTheSave", true,
                                    RewriteKeepingTheTime, true},
                      OutsideChange{"ReplacedByRenameDuringTheSave", true,
                                    [](const std::string& path, const std::string& theirs) {
                                      WriteWholeFile(path + ".new", theirs);
                                      std::filesystem::rename(path + ".new", path);
                                    },
                                    true},
                      OutsideChange{"ReplacedByRename", false,
                                    [](const std::string& path, const std::string& theirs) {
                                      WriteWholeFile(path + ".new", theirs);
                                      std::filesystem::rename(path + ".new", path);
                                    },
                                    true}),
    [](const auto& info) { return std::string(info.param.name); });

// Another program writes the model after the last check, in the moment before the
// new file is put in place: the replace finds it in what it took out, puts that
// back, and keeps the edits beside.
TEST_F(ModelDocumentTest, AChangeInTheLastMomentIsPutBackAndTheEditsKept) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path, const std::string& theirs)> change;
  };
  const Case cases[] = {
      {"rewritten in place, the time restored", RewriteKeepingTheTime},
      {"replaced by rename",
       [](const std::string& path, const std::string& theirs) {
         WriteWholeFile(path + ".new", theirs);
         std::filesystem::rename(path + ".new", path);
       }},
      {"permissions changed",
       [](const std::string& path, const std::string&) { chmod(path.c_str(), 0600); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteWholeFile(path_, file_.bytes);
    ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
    std::string theirs = file_.bytes;
    theirs[20] = static_cast<char>(theirs[20] ^ 0x5a);
    if (std::string(c.name) == "permissions changed") {
      theirs = file_.bytes;
    }
    ModelDocument document = ModelDocument::Open(path_);
    document.SetModelComment("mine");
    Between between([&](const std::string& target) { c.change(target, theirs); }, true);
    document.SetSaveObserver(&between);
    EXPECT_EQ(SaveError(document),
              path_ +
                  ": not saved: another program changed the file in the moment before it "
                  "was replaced; your changes are kept in " +
                  folder_.File("model.unsaved.ms3d"));
    EXPECT_EQ(ReadWholeFile(path_), theirs);
    EXPECT_EQ(ModelDocument::Open(folder_.File("model.unsaved.ms3d")).Model().comment, "mine");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"model.ms3d", "model.unsaved.ms3d"}));
    std::filesystem::remove(folder_.File("model.unsaved.ms3d"));
  }
}

// What a refused save keeps is no more open to others than the model.
TEST_F(ModelDocumentTest, KeptFilesHaveTheModelsPermissions) {
  for (const mode_t mode : {0600, 0640, 0604}) {
    for (const bool asText : {false, true}) {
      SCOPED_TRACE(std::to_string(mode) + (asText ? " text" : " model"));
      WriteWholeFile(path_, file_.bytes);
      ASSERT_EQ(chmod(path_.c_str(), mode), 0);
      ModelDocument document = ModelDocument::Open(path_);
      document.SetModelComment("mine");
      std::string theirs = file_.bytes;
      theirs[20] = static_cast<char>(theirs[20] ^ 0x5a);
      // Rewritten in place before the save: the bytes read are gone, so only the
      // comments can be kept, as text; replaced by rename, the whole model is.
      if (asText) {
        RewriteKeepingTheTime(path_, theirs);
      } else {
        WriteWholeFile(path_ + ".new", theirs);
        ASSERT_EQ(chmod((path_ + ".new").c_str(), mode), 0);
        std::filesystem::rename(path_ + ".new", path_);
      }
      const std::string kept =
          folder_.File(asText ? "model.unsaved-comments.txt" : "model.unsaved.ms3d");
      EXPECT_THAT(SaveError(document), HasSubstr("your changes are kept in " + kept));
      EXPECT_EQ(StatusOf(kept).st_mode & 07777, mode);
      std::filesystem::remove(kept);
    }
  }
}

TEST_F(ModelDocumentTest, KeptFilesNeverReplaceEachOther) {
  ModelDocument document = ModelDocument::Open(path_);
  ASSERT_EQ(link(path_.c_str(), folder_.File("other.ms3d").c_str()), 0);
  WriteWholeFile(folder_.File("model.unsaved.ms3d"), "earlier");
  for (const char* comment : {"first", "second"}) {
    document.SetModelComment(comment);
    SaveError(document);
  }
  EXPECT_EQ(ReadWholeFile(folder_.File("model.unsaved.ms3d")), "earlier");
  EXPECT_EQ(ModelDocument::Open(folder_.File("model.unsaved-2.ms3d")).Model().comment, "first");
  EXPECT_EQ(ModelDocument::Open(folder_.File("model.unsaved-3.ms3d")).Model().comment, "second");
}

// Replacing a file by a new one would split its hard links, and cannot give it
// back its owner when the user is not root: such saves are refused.
TEST_F(ModelDocumentTest, HardLinkedFileIsRefusedAndBothNamesKeepTheirContent) {
  const std::string other = folder_.File("other.ms3d");
  ASSERT_EQ(link(path_.c_str(), other.c_str()), 0);
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  EXPECT_THAT(SaveError(document),
              HasSubstr("model.ms3d: not saved: it has 2 names (hard links), and replacing it "
                        "would leave the old content under the other names; your changes are "
                        "kept in " +
                        folder_.File("model.unsaved.ms3d")));
  EXPECT_EQ(StatusOf(path_).st_ino, StatusOf(other).st_ino);
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
  EXPECT_EQ(ModelDocument::Open(folder_.File("model.unsaved.ms3d")).Model().comment, "mine");
}

TEST_F(ModelDocumentTest, ReadOnlyFileIsRefusedEvenForRootUnlessAllowed) {
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  const std::string reason = geteuid() == 0 ? "it is read-only (nobody has write permission)"
                                            : "this user may not write it (Permission denied)";
  EXPECT_THAT(SaveError(document), HasSubstr("model.ms3d: not saved: " + reason));
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
  if (geteuid() == 0) {
    document.AllowSavingReadOnly(true);
    document.Save();
    EXPECT_EQ(ModelDocument::Open(path_).Model().comment, "mine");
    EXPECT_EQ(StatusOf(path_).st_mode & 07777, 0444u);
  }
}

TEST_F(ModelDocumentTest, ExtendedAttributesAreKept) {
  const char value[] = "kept";
  if (setxattr(path_.c_str(), "user.quorvel", value, 4, 0) != 0) {
    GTEST_SKIP() << "this file system keeps no user attributes";
  }
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  document.Save();
  char read[8] = {};
  EXPECT_EQ(getxattr(path_.c_str(), "user.quorvel", read, sizeof(read)), 4);
  EXPECT_STREQ(read, "kept");
}

// A member of the file's group saves a group-writable file owned by someone else.
TEST_F(ModelDocumentTest, SaveThatWouldChangeTheOwnerIsRefused) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "needs root to give the file to another user";
  }
  constexpr uid_t kOwner = 41001;
  constexpr uid_t kSaver = 41002;
  constexpr gid_t kGroup = 41003;
  ASSERT_EQ(chmod(folder_.Path().c_str(), 0777), 0);
  ASSERT_EQ(chown(path_.c_str(), kOwner, kGroup), 0);
  ASSERT_EQ(chmod(path_.c_str(), 0664), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t groups[] = {kGroup};
    if (setgroups(1, groups) != 0 || setgid(kGroup) != 0 || setuid(kSaver) != 0) {
      _exit(3);
    }
    ModelDocument document = ModelDocument::Open(path_);
    document.SetModelComment("mine");
    const std::string error = SaveError(document);
    _exit(error.find("not saved: it belongs to user 41001 and group 41003, and a save by this "
                     "user would give it a new owner or group") != std::string::npos
              ? 0
              : 4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(StatusOf(path_).st_uid, kOwner);
  EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
}

TEST_F(ModelDocumentTest, RootSaveKeepsTheOwner) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "needs root to give the file to another user";
  }
  ASSERT_EQ(chown(path_.c_str(), 41001, 41003), 0);
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  document.Save();
  EXPECT_EQ(StatusOf(path_).st_uid, 41001u);
  EXPECT_EQ(StatusOf(path_).st_gid, 41003u);
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
    EXPECT_EQ(copy.Model().comment, "mine");
    EXPECT_EQ(copy.Model().joints.size(), document.Model().joints.size());
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
      {folder_.File("missing/copy.ms3d"), "missing/copy.ms3d: not saved: cannot find the folder"},
      {folder_.File("copy.ms3d"), "copy.ms3d: not saved: cannot write"},
      {existing, "existing.ms3d: not saved: cannot write"},
  };
  for (const Case& c : cases) {
    ModelDocument document = ModelDocument::Open(path_);
    document.SetModelComment(std::string(100000, 'x'));
    std::string error;
    {
      FileSizeLimit limit(4096);
      ASSERT_TRUE(limit.applied());
      error = CopyError(document, c.target);
    }
    EXPECT_THAT(error, HasSubstr(c.error));
    EXPECT_EQ(ReadWholeFile(path_), file_.bytes);
    EXPECT_EQ(ReadWholeFile(existing), "old");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"existing.ms3d", "model.ms3d"}));
  }

  // The rest of the model comes from the original as it was opened: rewritten in
  // place since, it can no longer give those bytes.
  ModelDocument document = ModelDocument::Open(path_);
  std::string rewritten = file_.bytes;
  rewritten[rewritten.size() / 2] ^= 0x5A;
  WriteWholeFile(path_, rewritten);
  document.SetModelComment("mine");
  EXPECT_THAT(CopyError(document, folder_.File("copy.ms3d")),
              HasSubstr("copy.ms3d: not saved: " + path_ + " changed on disk since it was opened"));
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"existing.ms3d", "model.ms3d"}));
}

// The model's own file, under its name or another (a hard link), is never a copy's
// target: only Save may replace it, after its checks; an outside change stays.
TEST_F(ModelDocumentTest, SaveCopyRefusesTheModelsOwnFile) {
  ModelDocument document = ModelDocument::Open(path_);
  document.SetModelComment("mine");
  const std::string outside = file_.bytes + "outside";
  WriteWholeFile(path_, outside);
  const std::string linked = folder_.File("linked.ms3d");
  ASSERT_EQ(link(path_.c_str(), linked.c_str()), 0);
  for (const std::string& target : {path_, linked}) {
    EXPECT_THAT(CopyError(document, target),
                HasSubstr("not saved: it is the model's own file; choose another name"));
    EXPECT_EQ(ReadWholeFile(path_), outside);
  }
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"linked.ms3d", "model.ms3d"}));
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
