// The real windows: layout in dialog units, the styles that matter, the keyboard.
#include "framework/backends/qt/qt_window.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest/QTest>

#include "framework/backends/qt/list_view.h"
#include "framework/backends/qt/message_box_view.h"
#include "framework/backends/qt/push_button.h"
#include "framework/backends/qt/static_text.h"
#include "framework/core/framework.h"
#include "plugin/dialogs/event_editor.h"
#include "plugin/templates/templates.h"
#include "tests/framework/backends/qt/window_user.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::qt::testing {
namespace {

// The Event Editor's template with a list to show and its buttons heard.
class EditorLike : public CDialog {
 public:
  EditorLike() : CDialog(IDD_EVENT_EDITOR) {}
  std::vector<std::string> events;
  std::vector<int> clicked;

 protected:
  bool OnInitDialog() override {
    CListCtrl list = GetListCtrl(IDC_EVENT_LIST);
    for (const std::string& event : events)
      list.InsertItem(list.GetItemCount(), event);
    return CDialog::OnInitDialog();
  }
  std::span<const MessageEntry> GetMessageMap() const override {
    static const MessageEntry kMap[] = {
        MessageEntry::Of<EditorLike>(BN_CLICKED, IDC_ADD, &EditorLike::OnAdd),
        MessageEntry::Of<EditorLike>(BN_CLICKED, IDC_EDIT, &EditorLike::OnEdit),
        MessageEntry::Of<EditorLike>(BN_CLICKED, IDC_REMOVE, &EditorLike::OnRemove),
    };
    return kMap;
  }

 private:
  void OnAdd() { clicked.push_back(IDC_ADD); }
  void OnEdit() { clicked.push_back(IDC_EDIT); }
  void OnRemove() { clicked.push_back(IDC_REMOVE); }
};

QtWindow& WindowOf(const OpenWindow& top) {
  EXPECT_NE(top.window, nullptr);
  return *top.window;
}

// Each dialog template laid out at its positions, in pixels of the dialog font.
TEST(QtWindowTest, DialogsAreLaidOutInDialogUnitsOfTheirFont) {
  for (int id : {IDD_EVENT_EDITOR, IDD_EVENT_ATTRIBUTES, IDD_FLOAT_INPUT, IDD_STRING_INPUT,
                 IDD_OBJECT_INPUT}) {
    SCOPED_TRACE("template " + std::to_string(id));
    const DialogTemplate& entry = *FindPlugInTemplate(id);
    CDialog dialog(id);
    EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                              QtWindow& window = WindowOf(top);
                              const DialogBaseUnits units = window.BaseUnits();
                              EXPECT_EQ(window.font().family(), QStringLiteral("DejaVu Sans"));
                              EXPECT_EQ(window.font().pointSize(), 8);
                              EXPECT_EQ(units.x, BaseUnitsOf(window.font()).x);
                              EXPECT_EQ(window.size(),
                                        ToPixels(entry.rect.width, entry.rect.height, units));
                              EXPECT_EQ(window.windowTitle().toStdString(), entry.caption);
                              for (const ControlTemplate& control : entry.controls) {
                                if (control.id == IDC_STATIC)
                                  continue;
                                QWidget* widget = window.ControlWidget(control.id);
                                ASSERT_NE(widget, nullptr) << control.id;
                                const QRect expected = ToPixels(control.rect, units);
                                EXPECT_EQ(widget->pos(), expected.topLeft()) << control.id;
                                EXPECT_EQ(widget->width(), expected.width()) << control.id;
                                // A combo's template height holds its dropped list.
                                if (control.controlClass != ControlClass::kComboBox) {
                                  EXPECT_EQ(widget->height(), expected.height()) << control.id;
                                }
                              }
                              QTest::keyClick(&window, Qt::Key_Escape);
                            }},
                            [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); }));
  }
}

TEST(QtWindowTest, StylesThatMatterReachTheWidgets) {
  CDialog attributes(IDD_EVENT_ATTRIBUTES);
  EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = WindowOf(top);
                            auto* frame = qobject_cast<QLineEdit*>(window.ControlWidget(IDC_FRAME));
                            ASSERT_NE(frame, nullptr);
                            // Digits only: the letters of what is typed never arrive.
                            frame->clear();
                            QTest::keyClicks(frame, "1a2-b3");
                            EXPECT_EQ(frame->text(), QStringLiteral("123"));
                            EXPECT_FALSE(frame->isReadOnly());
                            auto* ok = qobject_cast<QPushButton*>(window.ControlWidget(IDOK));
                            auto* cancel =
                                qobject_cast<QPushButton*>(window.ControlWidget(IDCANCEL));
                            EXPECT_TRUE(ok->isDefault());
                            EXPECT_FALSE(cancel->isDefault());
                            auto* event = qobject_cast<QComboBox*>(window.ControlWidget(IDC_EVENT));
                            ASSERT_NE(event, nullptr);
                            EXPECT_FALSE(event->isEditable());  // a drop-down list
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { attributes.DoModal(); }));
}

// A read-only edit stands on the dialog's background; one that takes typing does not.
TEST(QtWindowTest, ReadOnlyEditsShowOnTheDialogsBackground) {
  ui::testing::NumbersDialog numbers;
  EXPECT_TRUE(PlayActions(ui::testing::TestTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = WindowOf(top);
                            const QColor background = window.palette().color(QPalette::Window);
                            QWidget* fixed = window.ControlWidget(505);
                            QWidget* text = window.ControlWidget(503);
                            ASSERT_NE(fixed, nullptr);
                            ASSERT_NE(text, nullptr);
                            EXPECT_EQ(fixed->palette().color(QPalette::Base), background);
                            EXPECT_NE(text->palette().color(QPalette::Base), background);
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { numbers.DoModal(); }));
}

// A label that fits is shown whole; one longer than the list shows its start and
// an ellipsis inside the list, and the whole label as its tooltip.
TEST(QtWindowTest, ListViewCutsOnlyLabelsTooLongForItWithAnEllipsis) {
  EditorLike editor;
  editor.events = {"1|cameraCut|\"CAM_Main\"",
                   "2400|soundEvent|\"explode\\a_rather_long_name_of_a_sound_file_that_goes_on_"
                   "and_on_well_past_the_edge_of_the_list.wav\""};
  EXPECT_TRUE(PlayActions(
      PlugInTemplates(), {[&](const OpenWindow& top) {
        QtWindow& window = WindowOf(top);
        auto* list = dynamic_cast<ListView*>(window.ControlWidget(IDC_EVENT_LIST));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->textElideMode(), Qt::ElideRight);
        const QRect inside = list->viewport()->rect();
        for (int i = 0; i < list->count(); ++i) {
          SCOPED_TRACE(i);
          QListWidgetItem* item = list->item(i);
          const QString text = item->text();
          EXPECT_EQ(text.toStdString(), editor.events[static_cast<size_t>(i)]);
          const QRect shown = list->visualItemRect(item);
          EXPECT_TRUE(inside.contains(shown)) << shown.right() << " > " << inside.right();
          const bool fits = list->fontMetrics().horizontalAdvance(text) < inside.width() / 2;
          if (fits) {
            EXPECT_GE(shown.width(), list->fontMetrics().horizontalAdvance(text));
            EXPECT_EQ(item->toolTip(), QString());
          } else {
            EXPECT_EQ(item->toolTip(), text);
          }
        }
        EXPECT_LT(list->fontMetrics().horizontalAdvance(list->item(0)->text()), inside.width() / 2);
        EXPECT_GT(list->fontMetrics().horizontalAdvance(list->item(1)->text()), inside.width());
        // Nothing runs past the edge for a scroll bar to reach.
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        // The heading is the first static; its tabs stop every eight average
        // characters.
        const StaticText* heading = nullptr;
        for (QWidget* child : window.findChildren<QWidget*>()) {
          const auto* label = dynamic_cast<const StaticText*>(child);
          if (label != nullptr && label->Text().startsWith(QStringLiteral("Time\t")))
            heading = label;
        }
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->Text(), QStringLiteral("Time\t| Event\t\t\t\t| Parameter"));
        EXPECT_EQ(heading->TabStopDistance(), 8 * heading->fontMetrics().averageCharWidth());
        // With the tabs expanded the heading stands in one line over the list.
        const QRect drawn =
            heading->fontMetrics().boundingRect(QRect(0, 0, 4000, 100), Qt::TextExpandTabs,
                                                heading->Text(), heading->TabStopDistance());
        EXPECT_LE(drawn.width(), heading->width());
        QTest::keyClick(&window, Qt::Key_Escape);
      }},
      [&] { editor.DoModal(); }));
}

// The Event Attributes dialog with a value of the caller's on its Value button.
class AttributesLike : public CDialog {
 public:
  AttributesLike() : CDialog(IDD_EVENT_ATTRIBUTES) {}
  std::string value;

 protected:
  bool OnInitDialog() override {
    SetDlgItemText(IDC_VALUE, value);
    return CDialog::OnInitDialog();
  }
};

// The Value button keeps its size; a value too long for it shows its start and an
// ellipsis, and the whole value as tooltip, as plain text even where it looks like
// markup.
TEST(QtWindowTest, ValueButtonShowsTheStartOfALongValueAndTheWholeAsTooltip) {
  const struct {
    std::string value;
    bool cut;
    QString toolTip;
  } cases[] = {
      {"\"nis\\intro.mp3\"", false, QString()},
      {"CAM_Chase 2.5", false, QString()},
      {std::string(20, 'x') + " " + std::string(100, 'y'), true,
       QString::fromStdString(std::string(20, 'x') + " " + std::string(100, 'y'))},
      {"<b>bold</b>  " + std::string(120, 'z'), true,
       "<p style='white-space:pre'>&lt;b&gt;bold&lt;/b&gt;  " +
           QString::fromStdString(std::string(120, 'z')) + "</p>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    AttributesLike attributes;
    attributes.value = c.value;
    EXPECT_TRUE(PlayActions(
        PlugInTemplates(), {[&](const OpenWindow& top) {
          QtWindow& window = WindowOf(top);
          auto* button = dynamic_cast<PushButton*>(window.ControlWidget(IDC_VALUE));
          ASSERT_NE(button, nullptr);
          const QString whole = QString::fromStdString(c.value);
          EXPECT_EQ(button->text(), whole);
          for (const ControlTemplate& control :
               FindPlugInTemplate(IDD_EVENT_ATTRIBUTES)->controls) {
            if (control.id == IDC_VALUE) {
              EXPECT_EQ(button->size(), ToPixels(control.rect, window.BaseUnits()).size());
            }
          }
          const QString shown = button->ShownCaption();
          EXPECT_LE(button->fontMetrics().horizontalAdvance(shown), button->width());
          if (c.cut) {
            EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
            EXPECT_GT(shown.size(), 10);
          } else {
            EXPECT_EQ(shown, whole);
          }
          EXPECT_EQ(button->toolTip(), c.toolTip);
          QTest::keyClick(&window, Qt::Key_Escape);
        }},
        [&] { attributes.DoModal(); }));
  }
}

// Captions that fit are drawn whole, key marks and all, with no tooltip.
TEST(QtWindowTest, ButtonCaptionsThatFitAreShownWhole) {
  EditorLike editor;
  EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = WindowOf(top);
                            for (int id : {IDOK, IDCANCEL, IDC_ADD, IDC_EDIT, IDC_REMOVE}) {
                              auto* button = dynamic_cast<PushButton*>(window.ControlWidget(id));
                              ASSERT_NE(button, nullptr) << id;
                              EXPECT_EQ(button->ShownCaption(), button->text()) << id;
                              EXPECT_EQ(button->toolTip(), QString()) << id;
                            }
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { editor.DoModal(); }));
}

// Every window here has a fixed size: a title and a close box, no minimise or
// maximise button. Asking for the close box matters: a window that asks for no
// button lets an X window manager offer them all.
TEST(QtWindowTest, FixedSizeWindowsHaveACloseBoxOnly) {
  const auto check = [](const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
  };
  for (int id : {IDD_EVENT_EDITOR, IDD_EVENT_ATTRIBUTES, IDD_FLOAT_INPUT, IDD_STRING_INPUT,
                 IDD_OBJECT_INPUT}) {
    SCOPED_TRACE("template " + std::to_string(id));
    CDialog dialog(id);
    int result = 0;
    EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                              QtWindow& window = WindowOf(top);
                              check(window);
                              // The close box is Cancel.
                              window.close();
                            }},
                            [&] { result = dialog.DoModal(); }));
    EXPECT_EQ(result, IDCANCEL);
  }
  int answer = 0;
  EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                            ASSERT_NE(top.message, nullptr);
                            check(*top.message);
                            top.message->close();
                          }},
                          [&] {
                            answer = MessageBox(nullptr, "Overwrite existing attributes?",
                                                "Quorvel", MB_YESNOCANCEL | MB_ICONQUESTION);
                          }));
  EXPECT_EQ(answer, IDCANCEL);
}

// Tab moves through the controls that are tab stops, in template order, and round.
TEST(QtWindowTest, TabOrderIsTemplateOrder) {
  for (int id : {IDD_EVENT_EDITOR, IDD_EVENT_ATTRIBUTES, IDD_STRING_INPUT}) {
    SCOPED_TRACE("template " + std::to_string(id));
    std::vector<int> expected;
    for (const ControlTemplate& control : FindPlugInTemplate(id)->controls) {
      if ((control.style & WS_TABSTOP) != 0)
        expected.push_back(control.id);
    }
    CDialog dialog(id);
    std::vector<int> visited;
    EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                              QtWindow& window = WindowOf(top);
                              // The first tab stop has the focus when the dialog opens.
                              visited.push_back(ControlIdOf(QApplication::focusWidget()));
                              for (size_t i = 0; i < expected.size(); ++i) {
                                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                                visited.push_back(ControlIdOf(QApplication::focusWidget()));
                              }
                              QTest::keyClick(&window, Qt::Key_Escape);
                            }},
                            [&] { dialog.DoModal(); }));
    expected.push_back(expected.front());
    EXPECT_EQ(visited, expected);
  }
}

struct KeyCase {
  const char* name;
  Qt::Key key;
  int result;
};

// Enter presses the default button from a field; Esc is Cancel.
TEST(QtWindowTest, EnterPressesTheDefaultButtonEscCancels) {
  const KeyCase cases[] = {{"Enter", Qt::Key_Return, IDOK},
                           {"keypad Enter", Qt::Key_Enter, IDOK},
                           {"Esc", Qt::Key_Escape, IDCANCEL}};
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    CDialog input(IDD_FLOAT_INPUT);
    int result = 0;
    EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                              QWidget* field = WindowOf(top).ControlWidget(IDC_INPUT);
                              QTest::mouseClick(field, Qt::LeftButton);
                              QTest::keyClicks(field, "2.5");
                              QTest::keyClick(field, c.key);
                            }},
                            [&] { result = input.DoModal(); }));
    EXPECT_EQ(result, c.result);
  }
}

TEST(QtWindowTest, AltAndTheUnderlinedLetterPressTheEditorsButtons) {
  EditorLike editor;
  EXPECT_TRUE(PlayActions(PlugInTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = WindowOf(top);
                            for (Qt::Key key : {Qt::Key_A, Qt::Key_E, Qt::Key_R}) {
                              const size_t before = editor.clicked.size();
                              QTest::keyClick(&window, key, Qt::AltModifier);
                              // The button is pressed as a click, once it has shown down.
                              QDeadlineTimer deadline(2000);
                              while (editor.clicked.size() == before && !deadline.hasExpired())
                                QTest::qWait(10);
                            }
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { editor.DoModal(); }));
  EXPECT_EQ(editor.clicked, (std::vector<int>{IDC_ADD, IDC_EDIT, IDC_REMOVE}));
}

struct ListKeyCase {
  const char* name;
  std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
  int highlighted;  // the row the keys move the selection to from the first
};

// Whatever key moves the list's selection, the editor hears of it: Remove takes
// away the event the user sees highlighted.
TEST(QtWindowTest, KeysThatMoveTheListSelectionReachTheEditor) {
  const EventList events{"1|show|", "2|hide|", "3|fire|", "4|hide|", "5|show|"};
  const ListKeyCase cases[] = {
      {"type-ahead", {{Qt::Key_3, Qt::NoModifier}}, 2},
      {"Page Down", {{Qt::Key_PageDown, Qt::NoModifier}}, 4},
      {"Page Up", {{Qt::Key_End, Qt::NoModifier}, {Qt::Key_PageUp, Qt::NoModifier}}, 0},
      {"Down then type-ahead", {{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_5, Qt::NoModifier}}, 4},
      {"Down", {{Qt::Key_Down, Qt::NoModifier}}, 1},
      {"End", {{Qt::Key_End, Qt::NoModifier}}, 4},
      {"End then Up", {{Qt::Key_End, Qt::NoModifier}, {Qt::Key_Up, Qt::NoModifier}}, 3},
      {"Down then Home", {{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Home, Qt::NoModifier}}, 0},
  };
  for (const ListKeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    CEventEditor editor;
    editor.SetEvents(events);
    int highlighted = -1;
    int heard = -2;
    EXPECT_TRUE(PlayActions(
        PlugInTemplates(), {[&](const OpenWindow& top) {
          QtWindow& window = WindowOf(top);
          auto* list = dynamic_cast<ListView*>(window.ControlWidget(IDC_EVENT_LIST));
          ASSERT_NE(list, nullptr);
          QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                            list->visualItemRect(list->item(0)).center());
          for (const auto& [key, modifiers] : c.keys)
            QTest::keyClick(list, key, modifiers);
          highlighted = list->SelectedRow();
          heard = editor.SelectedIndex();
          QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
          QDeadlineTimer deadline(2000);
          while (list->count() == static_cast<int>(events.size()) && !deadline.hasExpired())
            QTest::qWait(10);
          QTest::keyClick(&window, Qt::Key_Escape);
        }},
        [&] { editor.DoModal(); }));
    EXPECT_EQ(highlighted, c.highlighted);
    EXPECT_EQ(heard, c.highlighted);
    EventList left = events;
    left.erase(left.begin() + c.highlighted);
    EventList after;
    editor.GetEvents(after);
    EXPECT_EQ(after, left);
  }
}

}  // namespace
}  // namespace quorvel::ui::qt::testing
