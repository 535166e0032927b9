// Message boxes as the system asks for them: caption, text, icon, buttons, the
// default button, and what Esc does.
#include "framework/backends/qt/message_box_view.h"

#include <vector>

#include <gtest/gtest.h>
#include <QPushButton>
#include <QtTest/QTest>

#include "framework/core/message_box.h"
#include "tests/framework/backends/qt/window_user.h"

namespace quorvel::ui::qt::testing {
namespace {

struct BoxCase {
  const char* name;
  unsigned flags;
  QMessageBox::Icon icon;
  std::vector<QMessageBox::StandardButton> buttons;
  QMessageBox::StandardButton preferred;
};

TEST(MessageBoxViewTest, CaptionTextIconButtonsAndDefault) {
  const BoxCase cases[] = {
      {"overwrite question",
       MB_YESNOCANCEL | MB_ICONQUESTION,
       QMessageBox::Question,
       {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
       QMessageBox::Yes},
      {"empty model warning",
       MB_OK | MB_ICONWARNING,
       QMessageBox::Warning,
       {QMessageBox::Ok},
       QMessageBox::Ok},
      {"select an event first", MB_OK, QMessageBox::NoIcon, {QMessageBox::Ok}, QMessageBox::Ok},
      {"second default",
       MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2,
       QMessageBox::Critical,
       {QMessageBox::Yes, QMessageBox::No},
       QMessageBox::No},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    int answer = 0;
    EXPECT_TRUE(PlayActions(
        {}, {[&](const OpenWindow& top) {
          MessageBoxView* box = top.message;
          ASSERT_NE(box, nullptr);
          EXPECT_EQ(box->windowTitle(), QStringLiteral("Quorvel"));
          EXPECT_EQ(box->text(), QStringLiteral("Line one\nLine <b>two</b>"));
          EXPECT_EQ(box->textFormat(), Qt::PlainText);
          EXPECT_EQ(box->icon(), c.icon);
          std::vector<QMessageBox::StandardButton> shown;
          for (QAbstractButton* button : box->buttons())
            shown.push_back(box->standardButton(button));
          std::sort(shown.begin(), shown.end());
          std::vector<QMessageBox::StandardButton> expected = c.buttons;
          std::sort(expected.begin(), expected.end());
          EXPECT_EQ(shown, expected);
          ASSERT_NE(box->defaultButton(), nullptr);
          EXPECT_EQ(box->standardButton(box->defaultButton()), c.preferred);
          // Enter takes the default.
          QTest::keyClick(box, Qt::Key_Return);
        }},
        [&] { answer = MessageBox(nullptr, "Line one\nLine <b>two</b>", "Quorvel", c.flags); }));
    const MessageBoxRequest request{"", "", c.flags, nullptr};
    EXPECT_EQ(answer, request.DefaultButton());
  }
}

// Esc answers where the box can be dismissed, and does nothing on a Yes/No question.
TEST(MessageBoxViewTest, EscDismissesOnlyWhereTheBoxAllowsIt) {
  struct EscCase {
    unsigned flags;
    int answer;
  };
  for (const EscCase& c :
       {EscCase{MB_OK, IDOK}, EscCase{MB_YESNOCANCEL, IDCANCEL}, EscCase{MB_YESNO, IDNO}}) {
    SCOPED_TRACE(c.flags);
    int answer = 0;
    EXPECT_TRUE(PlayActions({}, {[&](const OpenWindow& top) {
                              QTest::keyClick(top.message, Qt::Key_Escape);
                              if (c.flags == MB_YESNO) {
                                // Still open: the user has to choose.
                                EXPECT_TRUE(top.message->isVisible());
                                top.message->close();
                                EXPECT_TRUE(top.message->isVisible());
                                QTest::mouseClick(top.message->ButtonFor(IDNO), Qt::LeftButton);
                              }
                            }},
                            [&] { answer = MessageBox(nullptr, "Proceed?", "Quorvel", c.flags); }));
    EXPECT_EQ(answer, c.answer);
  }
}

}  // namespace
}  // namespace quorvel::ui::qt::testing
