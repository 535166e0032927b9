#include "framework/core/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/constants.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {
namespace {

// A window that exists only to own controls.
class Holder : public CWnd {
 public:
  ModalWindow* TopLevelWindow() override { return nullptr; }
};

class ComboTest : public ::testing::Test {
 protected:
  ComboTest() : combo(holder, entry) {
    for (const char* item :
         {"asteroid", "camera", "camera_target", "Effect", "None", "ship", "resource", "salvage"}) {
      combo.InsertItem(-1, item);
    }
  }
  Holder holder;
  ControlTemplate entry{7, ControlClass::kComboBox, "", {}, CBS_DROPDOWN};
  Control combo;
};

struct PrefixCase {
  int after;
  const char* prefix;
  int found;
};

TEST_F(ComboTest, FindPrefixMatchesTheFirstBeginningAfterTheStartAndWraps) {
  const PrefixCase cases[] = {
      {-1, "s", 5},         {-1, "S", 5},          {-1, "SA", 7}, {-1, "cam", 1},
      {1, "cam", 2},        {2, "cam", 1},         {5, "s", 7},   {7, "s", 5},
      {-1, "effect", 3},    {-1, "Destroyer", -1}, {-1, "", -1},  {-1, "shipyard", -1},
      {100, "asteroid", 0}, {-5, "None", 4},
  };
  for (const PrefixCase& c : cases) {
    EXPECT_EQ(combo.FindPrefix(c.after, c.prefix), c.found)
        << "prefix '" << c.prefix << "' after " << c.after;
  }
}

TEST_F(ComboTest, FindPrefixFoldsTheAccentedLettersOfTheCodePage) {
  combo.InsertItem(-1, "Fr\xe9gate");  // 8: small e acute
  combo.InsertItem(-1,
                   "\xc9"
                   "clair");              // 9: capital E acute
  combo.InsertItem(-1, "\xf7 division");  // 10: division sign, not a letter
  const PrefixCase cases[] = {
      {-1, "FR\xc9G", 8},
      {-1,
       "\xe9"
       "CL",
       9},
      {-1, "\xd7", -1},  // the multiplication sign is no capital of the division sign
      {-1, "\xf7", 10},
  };
  for (const PrefixCase& c : cases) {
    EXPECT_EQ(combo.FindPrefix(c.after, c.prefix), c.found) << "prefix '" << c.prefix << "'";
  }
}

TEST_F(ComboTest, SelectionFollowsInsertAndDelete) {
  ASSERT_TRUE(combo.SetComboSelection(5));
  EXPECT_EQ(combo.Text(), "ship");
  combo.InsertItem(0, "first");
  EXPECT_EQ(combo.Selection(), 6);
  combo.DeleteItem(0);
  EXPECT_EQ(combo.Selection(), 5);
  combo.DeleteItem(5);
  EXPECT_EQ(combo.Selection(), -1);
  EXPECT_EQ(combo.Text(), "");
}

TEST_F(ComboTest, SelectionOutOfRangeClearsSelectionAndField) {
  combo.SetComboSelection(2);
  EXPECT_FALSE(combo.SetComboSelection(99));
  EXPECT_EQ(combo.Selection(), -1);
  EXPECT_EQ(combo.Text(), "");
}

TEST_F(ComboTest, TypingClearsTheListSelection) {
  combo.SetComboSelection(2);
  combo.SetTypedText("custom");
  EXPECT_EQ(combo.Selection(), -1);
  EXPECT_EQ(combo.Text(), "custom");
  EXPECT_EQ(combo.SelectionStart(), 6);
}

TEST(ControlTest, EditSelectionIsClampedToTheText) {
  Holder holder;
  const ControlTemplate entry{3, ControlClass::kEdit, "hello", {}, ES_NUMBER};
  Control edit(holder, entry);
  EXPECT_TRUE(edit.IsDigitsOnly());
  EXPECT_TRUE(edit.AcceptsTyping());
  edit.SetEditSelection(0, -1);
  EXPECT_EQ(edit.SelectionEnd(), 5);
  edit.SetEditSelection(4, 99);
  EXPECT_EQ(edit.SelectionStart(), 4);
  EXPECT_EQ(edit.SelectionEnd(), 5);
  edit.SetEditSelection(9, 2);
  EXPECT_EQ(edit.SelectionStart(), 2);
}

TEST(ControlTest, StylesDecideWhatTheUserCanType) {
  Holder holder;
  const ControlTemplate readOnly{1, ControlClass::kEdit, "", {}, ES_READONLY};
  const ControlTemplate dropList{2, ControlClass::kComboBox, "", {}, CBS_DROPDOWNLIST};
  const ControlTemplate button{3, ControlClass::kButton, "OK", {}, BS_DEFPUSHBUTTON};
  EXPECT_FALSE(Control(holder, readOnly).AcceptsTyping());
  EXPECT_FALSE(Control(holder, dropList).AcceptsTyping());
  EXPECT_TRUE(Control(holder, dropList).IsDropDownList());
  EXPECT_TRUE(Control(holder, button).IsDefaultButton());
  EXPECT_FALSE(Control(holder, button).AcceptsTyping());
}

}  // namespace
}  // namespace quorvel::ui
