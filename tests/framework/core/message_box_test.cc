#include "framework/core/message_box.h"

#include <gtest/gtest.h>

#include "framework/core/application.h"
#include "framework/core/backend.h"
#include "tests/framework/core/lambda_backend.h"

namespace quorvel::ui {
namespace {

struct ButtonsCase {
  unsigned flags;
  std::vector<int> buttons;
  int defaultButton;
  int escape;
};

TEST(MessageBoxRequest, ButtonsFollowTheFlags) {
  const ButtonsCase cases[] = {
      {MB_OK, {IDOK}, IDOK, IDOK},
      {MB_OK | MB_ICONWARNING, {IDOK}, IDOK, IDOK},
      {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
      {MB_YESNOCANCEL | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, {IDYES, IDNO, IDCANCEL}, IDNO, IDCANCEL},
      {MB_YESNO, {IDYES, IDNO}, IDYES, 0},
      {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0},
      {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, IDABORT, 0},
  };
  for (const ButtonsCase& c : cases) {
    MessageBoxRequest request{"text", "caption", c.flags, nullptr};
    EXPECT_EQ(request.Buttons(), c.buttons) << "flags " << c.flags;
    EXPECT_EQ(request.DefaultButton(), c.defaultButton) << "flags " << c.flags;
    EXPECT_EQ(request.EscapeAnswer(), c.escape) << "flags " << c.flags;
  }
}

TEST(MessageBoxRequest, IconIsKept) {
  EXPECT_EQ((MessageBoxRequest{"", "", MB_OK | MB_ICONWARNING, nullptr}.Icon()),
            MB_ICONEXCLAMATION);
}

TEST(AnswerWord, RoundTrips) {
  for (int answer : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    EXPECT_EQ(AnswerFromWord(AnswerWord(answer)), answer);
  }
  EXPECT_EQ(AnswerFromWord("maybe"), 0);
  EXPECT_EQ(AnswerWord(42), "");
}

TEST(MessageBox, WithoutBackendFails) {
  BackendScope none(nullptr);
  EXPECT_EQ(MessageBox(nullptr, "text", "Quorvel", MB_OK), 0);
}

TEST(MessageBox, PassesTheRequestAndReturnsTheAnswer) {
  testing::LambdaBackend backend;
  backend.onMessage = [](const MessageBoxRequest&) { return IDNO; };
  BackendScope scope(&backend);
  EXPECT_EQ(MessageBox(nullptr, "Overwrite existing attributes?", "Quorvel",
                       MB_YESNOCANCEL | MB_ICONQUESTION),
            IDNO);
  ASSERT_EQ(backend.messages.size(), 1u);
  EXPECT_EQ(backend.messages[0].text, "Overwrite existing attributes?");
  EXPECT_EQ(backend.messages[0].caption, "Quorvel");
  EXPECT_EQ(backend.messages[0].owner, nullptr);
}

TEST(MessageBox, RejectsAnAnswerTheBoxDoesNotOffer) {
  testing::LambdaBackend backend;
  backend.onMessage = [](const MessageBoxRequest&) { return IDYES; };
  BackendScope scope(&backend);
  EXPECT_THROW(MessageBox(nullptr, "text", "Quorvel", MB_OK), std::logic_error);
}

TEST(AfxMessageBox, IsCaptionedWithTheApplicationName) {
  testing::LambdaBackend backend;
  BackendScope scope(&backend);
  AfxMessageBox("without application");
  {
    CWinApp app("Named");
    AfxMessageBox("with application");
  }
  ASSERT_EQ(backend.messages.size(), 2u);
  EXPECT_EQ(backend.messages[0].caption, "Quorvel");
  EXPECT_EQ(backend.messages[1].caption, "Named");
  EXPECT_EQ(AfxGetApp(), nullptr);
}

}  // namespace
}  // namespace quorvel::ui
