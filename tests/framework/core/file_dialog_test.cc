#include "framework/core/file_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/framework/core/lambda_backend.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui {
namespace {

// The request as the value entry builds it.
class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() {
    request = testing::ValueEntryRequest(file, title, "C:\\Games\\ZU2\\data\\sound\\sfx\\");
  }

  testing::LambdaBackend backend;
  BackendScope scope{&backend};
  char file[260] = "";
  char title[260] = "untouched";
  OpenFileRequest request{};
};

TEST_F(FileDialogTest, HandsTheRequestToTheBackend) {
  GetOpenFileName(request);
  ASSERT_EQ(backend.files.size(), 1u);
  const FileChooserRequest& seen = backend.files[0];
  EXPECT_EQ(seen.title, "Open");
  EXPECT_EQ(seen.initialFolder, "C:\\Games\\ZU2\\data\\sound\\sfx\\");
  EXPECT_EQ(seen.initialFile, "");
  ASSERT_EQ(seen.filters.size(), 1u);
  EXPECT_EQ(seen.filters[0].description, "All Files (*.*)");
  EXPECT_EQ(seen.filters[0].pattern, "*.*");
  EXPECT_EQ(seen.defaultExtension, "*.*");
  EXPECT_EQ(seen.flags, 0x806u);
}

TEST_F(FileDialogTest, ChosenPathFillsTheBuffers) {
  backend.onFile = [](const FileChooserRequest&) {
    return std::optional<std::string>("C:\\Games\\ZU2\\data\\sound\\sfx\\explode\\big.wav");
  };
  ASSERT_NE(GetOpenFileName(request), 0);
  EXPECT_STREQ(file, "C:\\Games\\ZU2\\data\\sound\\sfx\\explode\\big.wav");
  EXPECT_STREQ(title, "big.wav");
  EXPECT_STREQ(file + request.fileOffset, "big.wav");
  EXPECT_STREQ(file + request.fileExtension, "wav");
}

TEST_F(FileDialogTest, CancelReturnsZeroAndLeavesTheBuffers) {
  EXPECT_EQ(GetOpenFileName(request), 0);
  EXPECT_STREQ(file, "");
  EXPECT_STREQ(title, "untouched");
}

TEST_F(FileDialogTest, PathThatDoesNotFitIsRefusedAndTheUserTold) {
  const std::string exact(259, 'x');  // with its terminator, exactly the buffer
  backend.onFile = [&](const FileChooserRequest&) { return std::optional<std::string>(exact); };
  EXPECT_NE(GetOpenFileName(request), 0);
  EXPECT_EQ(std::string(file), exact);
  EXPECT_TRUE(backend.messages.empty());

  const std::string tooLong(260, 'y');
  backend.onFile = [&](const FileChooserRequest&) { return std::optional<std::string>(tooLong); };
  EXPECT_EQ(GetOpenFileName(request), 0);
  EXPECT_EQ(std::string(file), exact);  // untouched
  ASSERT_EQ(backend.messages.size(), 1u);
  EXPECT_NE(backend.messages[0].text.find("too long"), std::string::npos);
  EXPECT_EQ(backend.messages[0].caption, "Quorvel");
}

TEST_F(FileDialogTest, MalformedRequestOrNoBackendChoosesNothing) {
  OpenFileRequest wrongSize = request;
  wrongSize.structSize = 100;
  EXPECT_EQ(GetOpenFileName(wrongSize), 0);
  OpenFileRequest noBuffer = request;
  noBuffer.file = nullptr;
  EXPECT_EQ(GetOpenFileName(noBuffer), 0);
  EXPECT_TRUE(backend.files.empty());
  BackendScope none(nullptr);
  EXPECT_EQ(GetOpenFileName(request), 0);
}

}  // namespace
}  // namespace quorvel::ui
