#include "tools/quorvel/save_elsewhere.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/backend.h"
#include "framework/script/script.h"
#include "host/ms_model_lib.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

// A model whose save fails because its file changed on disk after it was opened: a
// failure that nothing at the start could foresee.
class SaveElsewhereTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File("model.ms3d");
    original_ = WriteMs3d(SampleFixture()).bytes;
    WriteWholeFile(path_, original_);
    model_ = msHost_OpenModel(path_.c_str());
    ASSERT_NE(model_, nullptr) << msHost_LastError();
    msModel_SetComment(model_, "edited");
  }
  void TearDown() override { msHost_FreeModel(model_); }

  // Offers to save elsewhere with the user played by `script`; the script must be
  // played whole.
  std::optional<std::string> Offer(const std::string& script, const std::string& reason) {
    ui::HeadlessBackend backend(ui::ParseScript(script));
    ui::BackendScope installed(&backend);
    std::optional<std::string> saved = OfferToSaveElsewhere(model_, path_, reason);
    backend.CheckFinished();
    return saved;
  }

  static std::string Box(const std::string& file, const std::string& reason) {
    return "window message\nexpect-title Quorvel\nexpect-message " +
           ui::QuoteScriptText("The edited model could not be saved to " + file + ":\n" + reason +
                               "\n\nSave the edited model to another file?") +
           "\n";
  }

  TempFolder folder_;
  std::string path_;
  std::string original_;
  msModel* model_ = nullptr;
};

TEST_F(SaveElsewhereTest, TellsTheFileAndTheHostsReasonAndOffersAnotherFile) {
  const std::string copy = folder_.File("copy.ms3d");
  const std::string reason = "model.ms3d: not saved: any reason the host gives";
  struct Case {
    std::string answers;
    bool saved;
  };
  const Case cases[] = {
      {"answer no\n", false},
      {"answer yes\nwindow file\nexpect-title \"Save the edited model as\"\ncancel\n", false},
      {"answer yes\nwindow file\nexpect-folder " + folder_.Path() + "\nchoose " + copy + "\n",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    const std::optional<std::string> saved = Offer(Box(path_, reason) + c.answers, reason);
    EXPECT_EQ(saved.has_value(), c.saved);
    EXPECT_EQ(ReadWholeFile(path_), original_);
    if (c.saved) {
      EXPECT_EQ(*saved, copy);
      msModel* reread = msHost_OpenModel(copy.c_str());
      ASSERT_NE(reread, nullptr) << msHost_LastError();
      char comment[16];
      msModel_GetComment(reread, comment, sizeof comment);
      EXPECT_STREQ(comment, "edited");
      msHost_FreeModel(reread);
    }
  }
}

// When the file was rewritten in place, neither it nor a copy can be written from a
// model whose other parts are gone: each failure is told, and the user may give up.
TEST_F(SaveElsewhereTest, AFileChangedOnDiskIsToldAndNothingIsWritten) {
  std::string changed = original_;
  changed[changed.size() / 2] ^= 0x5A;
  WriteWholeFile(path_, changed);
  ASSERT_NE(msHost_SaveModel(model_), 0);
  const std::string reason = msHost_LastError();
  const std::string copy = folder_.File("copy.ms3d");
  ASSERT_EQ(msHost_SaveModelAs(model_, copy.c_str()), -1);
  const std::string copyReason = msHost_LastError();

  const std::optional<std::string> saved =
      Offer(Box(path_, reason) + "answer yes\nwindow file\nchoose " + copy + "\n" +
                Box(copy, copyReason) + "answer no\n",
            reason);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadWholeFile(path_), changed);
  // Only the comments, kept as text by the refused save, are beside it.
  EXPECT_EQ(folder_.Entries(),
            (std::vector<std::string>{"model.ms3d", "model.unsaved-comments.txt"}));
  EXPECT_THAT(reason, ::testing::HasSubstr("model.unsaved-comments.txt"));
}

}  // namespace
}  // namespace quorvel::app
