#include "host/ms_model_lib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/ms_model_handle.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

struct FreeModel {
  void operator()(msModel* model) const { msHost_FreeModel(model); }
};
using ModelPtr = std::unique_ptr<msModel, FreeModel>;

ModelPtr MakeModel() {
  Model model;
  model.meshes.resize(2);
  model.materials.resize(1);
  model.joints = {{"Fighter1", 5, std::string("Sob Type=ship\0hidden", 20)},
                  {std::string(31, 'n'), 0, ""}};
  model.comment = "OPT_FPS=30\r\n";
  return ModelPtr(AdoptDocument(ModelDocument(model)));
}

TEST(MsModelLibTest, CountsAndJoints) {
  ModelPtr model = MakeModel();
  EXPECT_EQ(msModel_GetMeshCount(model.get()), 2);
  EXPECT_EQ(msModel_GetMaterialCount(model.get()), 1);
  EXPECT_EQ(msModel_GetBoneCount(model.get()), 2);
  msBone* first = msModel_GetBoneAt(model.get(), 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(msModel_GetBoneAt(model.get(), 0), first);  // the same handle every time
  EXPECT_EQ(msBone_GetFlags(first), 5u);
  EXPECT_EQ(msModel_GetBoneAt(model.get(), 2), nullptr);
  EXPECT_EQ(msModel_GetBoneAt(model.get(), -1), nullptr);
}

TEST(MsModelLibTest, NullArgumentsAreHarmless) {
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(msModel_GetMeshCount(nullptr), 0);
  EXPECT_EQ(msModel_GetBoneCount(nullptr), 0);
  EXPECT_EQ(msModel_GetMaterialCount(nullptr), 0);
  EXPECT_EQ(msModel_GetBoneAt(nullptr, 0), nullptr);
  EXPECT_EQ(msBone_GetFlags(nullptr), 0u);
  EXPECT_EQ(msBone_GetName(nullptr, buffer, 8), 0);
  EXPECT_STREQ(buffer, "");  // a null joint reads as an empty name
  EXPECT_EQ(msBone_GetComment(nullptr, nullptr, 8), 0);
  EXPECT_EQ(msModel_GetComment(nullptr, buffer, 8), 0);
  EXPECT_EQ(msModel_SetComment(nullptr, "x"), -1);
  EXPECT_EQ(msBone_SetComment(nullptr, "x"), -1);
  EXPECT_EQ(msHost_SaveModel(nullptr), -1);
  EXPECT_EQ(msHost_CommentsChanged(nullptr), 0);
  msHost_FreeModel(nullptr);

  ModelPtr model = MakeModel();
  EXPECT_EQ(msModel_SetComment(model.get(), nullptr), -1);
  EXPECT_EQ(msBone_SetComment(msModel_GetBoneAt(model.get(), 0), nullptr), -1);
  EXPECT_EQ(msHost_CommentsChanged(model.get()), 0);
}

struct BufferCase {
  int size;
  const char* expected;  // what the buffer holds; nullptr: untouched
  int result;
};

class BufferTest : public ::testing::TestWithParam<BufferCase> {};

// The buffer sits inside a larger one filled with a canary, so that any byte
// written past `size` shows.
TEST_P(BufferTest, WritesNulTerminatedTextCutToTheSize) {
  ModelPtr model = MakeModel();
  const BufferCase& c = GetParam();
  char area[40];
  std::fill(std::begin(area), std::end(area), '#');
  int written = msBone_GetName(msModel_GetBoneAt(model.get(), 0), area, c.size);
  EXPECT_EQ(written, c.result);
  int used = 0;
  if (c.expected != nullptr) {
    EXPECT_STREQ(area, c.expected);
    used = static_cast<int>(std::string(c.expected).size()) + 1;
  }
  for (int i = used; i < 40; ++i) {
    EXPECT_EQ(area[i], '#') << "byte " << i << " was written";
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BufferTest,
                         ::testing::Values(BufferCase{-1, nullptr, 0}, BufferCase{0, nullptr, 0},
                                           BufferCase{1, "", 0}, BufferCase{2, "F", 1},
                                           BufferCase{8, "Fighter", 7},
                                           BufferCase{9, "Fighter1", 8},
                                           BufferCase{32, "Fighter1", 8}));

TEST(MsModelLibTest, CommentGetterStopsAtNulAndAtTheBufferSize) {
  ModelPtr model = MakeModel();
  char buffer[1024];
  EXPECT_EQ(msBone_GetComment(msModel_GetBoneAt(model.get(), 0), buffer, 1024), 13);
  EXPECT_STREQ(buffer, "Sob Type=ship");

  std::string longText(3000, 'c');
  msModel_SetComment(model.get(), longText.c_str());
  EXPECT_EQ(msModel_GetComment(model.get(), buffer, 1024), 1023);
  EXPECT_EQ(std::string(buffer), longText.substr(0, 1023));
  // The whole text is kept, only the buffer cuts it.
  EXPECT_EQ(DocumentOf(model.get())->Model().comment, longText);

  char name[32];
  EXPECT_EQ(msBone_GetName(msModel_GetBoneAt(model.get(), 1), name, 32), 31);
}

// A comment that begins with NUL never reads as empty, so that a plug-in cannot take
// it for one it may overwrite; every other comment reads up to its first NUL.
TEST(MsModelLibTest, CommentBeginningWithNulDoesNotReadAsEmpty) {
  const struct {
    std::string stored;
    const char* read;
  } cases[] = {
      {std::string("\0Sob Type=ship\r\n", 16), "Sob Type=ship\r\n"},
      {std::string("\0\0\0abc\0def", 10), "abc"},
      {std::string("\0", 1), " "},
      {std::string("\0\0\0", 3), " "},
      {"", ""},
      {std::string("abc\0def", 7), "abc"},
  };
  for (const auto& c : cases) {
    Model stored;
    stored.joints = {{"Fighter1", 0, c.stored}};
    stored.comment = c.stored;
    ModelPtr model(AdoptDocument(ModelDocument(stored)));
    char buffer[64];
    EXPECT_EQ(msBone_GetComment(msModel_GetBoneAt(model.get(), 0), buffer, 64),
              static_cast<int>(std::strlen(c.read)));
    EXPECT_STREQ(buffer, c.read);
    EXPECT_EQ(msModel_GetComment(model.get(), buffer, 64), static_cast<int>(std::strlen(c.read)));
    EXPECT_STREQ(buffer, c.read);
    EXPECT_EQ(msModel_GetComment(model.get(), buffer, 3), std::min<int>(2, std::strlen(c.read)));
    // The host program's direct view reads the same.
    EXPECT_EQ(HandedOutComment(JointsOf(model.get())[0]), c.read);
    EXPECT_EQ(HandedOutComment(msModel_GetBoneAt(model.get(), 0)), c.read);
  }
}

// A name viewed directly is the name a getter copies into a buffer of that size.
TEST(MsModelLibTest, NameViewedDirectlyReadsAsTheGetter) {
  Model stored;
  stored.joints = {{"Fighter1", 0, ""},
                   {std::string(31, 'n'), 0, ""},
                   {std::string(40, 'x'), 0, ""},
                   {std::string("ab\0cd", 5), 0, ""},
                   {"", 0, ""}};
  ModelPtr model(AdoptDocument(ModelDocument(stored)));
  for (int size : {1, 2, 8, 32}) {
    for (int i = 0; i < static_cast<int>(stored.joints.size()); ++i) {
      char buffer[64];
      const int length = msBone_GetName(msModel_GetBoneAt(model.get(), i), buffer, size);
      EXPECT_EQ(HandedOutName(JointsOf(model.get())[static_cast<std::size_t>(i)],
                              static_cast<std::size_t>(size)),
                std::string(buffer, static_cast<std::size_t>(length)))
          << "joint " << i << ", buffer of " << size;
    }
  }
}

TEST(MsModelLibTest, SettersChangeCommentsAndMarkTheModelChanged) {
  ModelPtr model = MakeModel();
  msBone* bone = msModel_GetBoneAt(model.get(), 1);
  EXPECT_EQ(msBone_SetComment(bone, ""), 0);  // already empty: no change
  EXPECT_EQ(msHost_CommentsChanged(model.get()), 0);
  EXPECT_EQ(msBone_SetComment(bone, "Sob Type=ship\r\n"), 0);
  EXPECT_EQ(msHost_CommentsChanged(model.get()), 1);
  char buffer[64];
  msBone_GetComment(bone, buffer, 64);
  EXPECT_STREQ(buffer, "Sob Type=ship\r\n");
}

// What a plug-in notes about its pages comes back in the order noted, and nothing
// else: null arguments and indexes past the last are harmless.
TEST(MsModelLibTest, RecordNotesComeBackInOrder) {
  ModelPtr model = MakeModel();
  int written = -1;
  EXPECT_EQ(msHost_RecordNote(model.get(), 0, &written), nullptr);
  msHost_NoteRecord(model.get(), "NIS Attributes", 0);
  msHost_NoteRecord(model.get(), "Actor: Fighter1", 7);  // any other number is written
  msHost_NoteRecord(model.get(), nullptr, 1);
  msHost_NoteRecord(nullptr, "Camera: CAM_Main", 1);
  EXPECT_STREQ(msHost_RecordNote(model.get(), 0, &written), "NIS Attributes");
  EXPECT_EQ(written, 0);
  EXPECT_STREQ(msHost_RecordNote(model.get(), 1, nullptr), "Actor: Fighter1");
  EXPECT_STREQ(msHost_RecordNote(model.get(), 1, &written), "Actor: Fighter1");
  EXPECT_EQ(written, 1);
  EXPECT_EQ(msHost_RecordNote(model.get(), 2, &written), nullptr);
  EXPECT_EQ(msHost_RecordNote(model.get(), -1, &written), nullptr);
  EXPECT_EQ(msHost_RecordNote(nullptr, 0, &written), nullptr);
  EXPECT_EQ(msHost_CommentsChanged(model.get()), 0);  // a note is not an edit
}

// A host program may choose the joints a run works on; the file keeps its own flags.
TEST(MsModelLibTest, ReportedMarksLeaveTheStoredFlagsAlone) {
  ModelPtr model = MakeModel();
  msBone* first = msModel_GetBoneAt(model.get(), 0);   // stored flags 5: marked
  msBone* second = msModel_GetBoneAt(model.get(), 1);  // stored flags 0
  EXPECT_EQ(msHost_SetJointMarked(model.get(), 0, 0), 0);
  EXPECT_EQ(msHost_SetJointMarked(model.get(), 1, 1), 0);
  EXPECT_EQ(msBone_GetFlags(first), 4u);  // the other bits are reported as stored
  EXPECT_EQ(msBone_GetFlags(second), 1u);
  EXPECT_EQ(msHost_SetJointMarked(model.get(), 0, -1), 0);
  EXPECT_EQ(msBone_GetFlags(first), 5u);
  EXPECT_EQ(msHost_SetJointMarked(model.get(), 2, 1), -1);
  EXPECT_EQ(msHost_SetJointMarked(nullptr, 0, 1), -1);
  EXPECT_EQ(DocumentOf(model.get())->Model().joints[1].flags, 0u);

  TempFolder folder;
  const std::string path = folder.File("a.ms3d");
  WriteWholeFile(path, WriteMs3d(SampleFixture()).bytes);
  ModelPtr opened(msHost_OpenModel(path.c_str()));
  ASSERT_NE(opened, nullptr) << msHost_LastError();
  std::vector<unsigned int> stored;
  for (int i = 0; i < msModel_GetBoneCount(opened.get()); ++i) {
    stored.push_back(msBone_GetFlags(msModel_GetBoneAt(opened.get(), i)));
    msHost_SetJointMarked(opened.get(), i, (stored.back() & 1u) == 0 ? 1 : 0);
  }
  msModel_SetComment(opened.get(), "changed");
  ASSERT_EQ(msHost_SaveModel(opened.get()), 0) << msHost_LastError();
  ModelPtr reopened(msHost_OpenModel(path.c_str()));
  for (int i = 0; i < msModel_GetBoneCount(reopened.get()); ++i) {
    EXPECT_EQ(msBone_GetFlags(msModel_GetBoneAt(reopened.get(), i)),
              stored[static_cast<size_t>(i)]);
  }
}

TEST(MsModelLibTest, OpenSaveAndErrors) {
  TempFolder folder;
  std::string path = folder.File("a.ms3d");
  std::string bytes = WriteMs3d(SampleFixture()).bytes;
  WriteWholeFile(path, bytes);

  EXPECT_EQ(msHost_OpenModel(folder.File("none.ms3d").c_str()), nullptr);
  EXPECT_EQ(std::string(msHost_LastError()),
            folder.File("none.ms3d") + ": cannot open: No such file or directory");
  EXPECT_EQ(msHost_OpenModel(nullptr), nullptr);

  ModelPtr model(msHost_OpenModel(path.c_str()));
  ASSERT_NE(model, nullptr) << msHost_LastError();
  EXPECT_STREQ(msHost_LastError(), "");
  EXPECT_EQ(msModel_GetBoneCount(model.get()), 4);
  EXPECT_EQ(msHost_SaveModel(model.get()), 0);
  EXPECT_EQ(ReadWholeFile(path), bytes);

  msModel_SetComment(model.get(), "new");
  ASSERT_EQ(msHost_SaveModel(model.get()), 0) << msHost_LastError();
  ModelPtr reopened(msHost_OpenModel(path.c_str()));
  char buffer[16];
  msModel_GetComment(reopened.get(), buffer, 16);
  EXPECT_STREQ(buffer, "new");

  WriteWholeFile(path, "MS3D000000");
  msModel_SetComment(model.get(), "newer");
  EXPECT_EQ(msHost_SaveModel(model.get()), -1);
  EXPECT_THAT(msHost_LastError(), ::testing::HasSubstr("the file changed on disk"));
}

// A model opened for reading only reads as any other, and is never written.
TEST(MsModelLibTest, ModelOpenedForReadingIsNeverSaved) {
  TempFolder folder;
  std::string path = folder.File("a.ms3d");
  std::string bytes = WriteMs3d(SampleFixture()).bytes;
  WriteWholeFile(path, bytes);
  EXPECT_EQ(msHost_OpenModelForReading(nullptr), nullptr);
  EXPECT_EQ(msHost_OpenModelForReading(folder.Path().c_str()), nullptr);
  EXPECT_EQ(std::string(msHost_LastError()), folder.Path() + ": cannot read: it is a folder");

  ModelPtr model(msHost_OpenModelForReading(path.c_str()));
  ASSERT_NE(model, nullptr) << msHost_LastError();
  ModelPtr forSaving(msHost_OpenModel(path.c_str()));
  char read[64];
  char expected[64];
  msModel_GetComment(model.get(), read, 64);
  msModel_GetComment(forSaving.get(), expected, 64);
  EXPECT_STREQ(read, expected);
  EXPECT_EQ(msModel_GetBoneCount(model.get()), 4);
  EXPECT_EQ(msHost_SaveModel(model.get()), 0);  // nothing changed: nothing to write

  msModel_SetComment(model.get(), "new");
  EXPECT_EQ(msHost_SaveModel(model.get()), -1);
  EXPECT_EQ(std::string(msHost_LastError()),
            path + ": not saved: the model was opened for reading only");
  const std::string copy = folder.File("copy.ms3d");
  EXPECT_EQ(msHost_SaveModelAs(model.get(), copy.c_str()), -1);
  EXPECT_EQ(std::string(msHost_LastError()),
            copy + ": not saved: the model was opened for reading only");
  EXPECT_EQ(ReadWholeFile(path), bytes);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ms3d"});
}

}  // namespace
}  // namespace quorvel::host
