#include "plugin/templates/templates.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel::ui {
namespace {

const DialogTemplate& Get(int id) {
  const DialogTemplate* entry = FindPlugInTemplate(id);
  if (entry == nullptr)
    throw std::runtime_error("no template " + std::to_string(id));
  return *entry;
}

TEST(PlugInTemplates, HoldEveryWindowWithItsCaptionAndSize) {
  struct Expected {
    int id;
    const char* caption;
    int width;
    int height;
    uint32_t style;
  };
  const Expected expected[] = {
      {11000, "NIS Attributes", 257, 36, kPropertyPageStyle},
      {11001, "Followers", 257, 71, kPropertyPageStyle},
      {11003, "Cameras", 257, 57, kPropertyPageStyle},
      {11005, "Event Editor", 262, 131, kModalDialogStyle},
      {11006, "Event Attributes...", 297, 57, kModalDialogStyle},
      {11007, "Input", 186, 41, kModalDialogStyle},
      {11008, "Input", 242, 41, kModalDialogStyle},
      {11009, "Input", 186, 41, kModalDialogStyle},
  };
  ASSERT_EQ(PlugInTemplates().size(), std::size(expected));
  for (const Expected& e : expected) {
    const DialogTemplate& entry = Get(e.id);
    EXPECT_EQ(entry.caption, e.caption) << e.id;
    EXPECT_EQ(entry.rect.width, e.width) << e.id;
    EXPECT_EQ(entry.rect.height, e.height) << e.id;
    EXPECT_EQ(entry.style, e.style) << e.id;
    EXPECT_EQ(entry.font.name, "MS Sans Serif") << e.id;
    EXPECT_EQ(entry.font.pointSize, 8) << e.id;
    // The system menu would add a close box the dialogs do not have.
    EXPECT_EQ(entry.style & WS_SYSMENU, 0u) << e.id;
  }
  EXPECT_EQ(FindPlugInTemplate(11002), nullptr);
}

// Controls in template order (which is also the tab order), as id:class.
std::string Layout(const DialogTemplate& entry) {
  std::string layout;
  for (const ControlTemplate& control : entry.controls) {
    static constexpr const char* kClass[] = {"button", "edit", "static", "combo", "list"};
    if (!layout.empty())
      layout += " ";
    layout += std::to_string(control.id) + ":" + kClass[static_cast<int>(control.controlClass)];
  }
  return layout;
}

TEST(PlugInTemplates, ListControlsInTemplateOrder) {
  EXPECT_EQ(Layout(Get(11000)), "-1:static 11000:edit 11014:button");
  EXPECT_EQ(Layout(Get(11001)),
            "-1:static -1:static 11001:edit 11002:combo -1:static 11003:edit 11014:button");
  EXPECT_EQ(Layout(Get(11003)), "-1:static -1:static 11003:edit 11006:combo 11014:button");
  EXPECT_EQ(Layout(Get(11005)),
            "1:button 2:button 11006:list -1:static 11007:button 11008:button 11009:button");
  EXPECT_EQ(Layout(Get(11006)),
            "1:button 2:button -1:static -1:static 11008:button -1:static 11009:edit 11010:combo");
  EXPECT_EQ(Layout(Get(11007)), "1:button 2:button -1:static 11011:edit");
  EXPECT_EQ(Layout(Get(11008)), "1:button 2:button 11012:static 11011:edit");
  EXPECT_EQ(Layout(Get(11009)), "1:button 2:button -1:static 11013:combo");
}

const ControlTemplate& Control(int templateId, int id) {
  for (const ControlTemplate& control : Get(templateId).controls) {
    if (control.id == id)
      return control;
  }
  throw std::runtime_error("no control " + std::to_string(id));
}

TEST(PlugInTemplates, StylesThatChangeBehaviour) {
  struct StyleCase {
    int templateId;
    int id;
    uint32_t mask;
    uint32_t value;
  };
  const StyleCase cases[] = {
      {11000, 11000, ES_NUMBER, ES_NUMBER},
      {11001, 11003, ES_READONLY, ES_READONLY},
      {11001, 11001, ES_READONLY | ES_NUMBER, 0},
      {11001, 11002, CBS_TYPEMASK, CBS_DROPDOWN},
      {11001, 11002, CBS_SORT | CBS_AUTOHSCROLL, 0},  // unsorted; typing stops at the width
      {11003, 11003, ES_READONLY, ES_READONLY},
      {11003, 11006, CBS_TYPEMASK | CBS_SORT, CBS_DROPDOWNLIST},
      {11005, 11006, LVS_SMALLICON | LVS_SINGLESEL | LVS_ALIGNLEFT,
       LVS_SMALLICON | LVS_SINGLESEL | LVS_ALIGNLEFT},
      {11005, IDOK, 0x0F, BS_DEFPUSHBUTTON},
      {11005, IDCANCEL, 0x0F, BS_PUSHBUTTON},
      {11006, 11009, ES_NUMBER, ES_NUMBER},
      {11006, 11010, CBS_TYPEMASK | CBS_SORT, CBS_DROPDOWNLIST},
      {11006, IDOK, 0x0F, BS_DEFPUSHBUTTON},
      {11007, 11011, ES_NUMBER | ES_READONLY, 0},
      {11009, 11013, CBS_TYPEMASK | CBS_SORT, CBS_DROPDOWNLIST},
  };
  for (const StyleCase& c : cases) {
    EXPECT_EQ(Control(c.templateId, c.id).style & c.mask, c.value)
        << "control " << c.id << " of " << c.templateId;
  }
}

// The texts of every control in template order, as the user reads them: captions,
// labels and prompts; empty where a control shows data instead.
std::vector<std::string> Texts(const DialogTemplate& entry) {
  std::vector<std::string> texts;
  for (const ControlTemplate& control : entry.controls) {
    texts.emplace_back(control.text);
  }
  return texts;
}

TEST(PlugInTemplates, TextsAndPositionsAsTheUserSeesThem) {
  const struct {
    int id;
    std::vector<std::string> texts;
  } cases[] = {
      {IDD_NIS_ATTRIBUTES, {"Frames Per Second:", "", "Event Editor"}},
      {IDD_FOLLOWERS,
       {"Sob Group Type:", "Sob Group Name:", "", "", "Follower Name:", "", "Event Editor"}},
      {IDD_CAMERAS, {"Center of Interest:", "Camera Name:", "", "", "Event Editor"}},
      {IDD_EVENT_EDITOR,
       {"OK", "Cancel", "List1", "Time\t| Event\t\t\t\t| Parameter", "&Add", "&Edit", "&Remove"}},
      {IDD_EVENT_ATTRIBUTES, {"OK", "Cancel", "Frame:", "Event:", "", "Value:", "", ""}},
      {IDD_FLOAT_INPUT, {"OK", "Cancel", "Enter float (decimal number) value:", ""}},
      {IDD_STRING_INPUT, {"OK", "Cancel", "Enter string:", ""}},
      {IDD_OBJECT_INPUT, {"OK", "Cancel", "Please select an object:", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Texts(Get(c.id)), c.texts) << c.id;
  }
  EXPECT_EQ(Control(11005, -1).text, "Time\t| Event\t\t\t\t| Parameter");
  EXPECT_EQ(Control(11005, 11007).text, "&Add");
  EXPECT_EQ(Control(11005, 11009).text, "&Remove");
  EXPECT_EQ(Control(11005, 11006).text, "List1");
  EXPECT_EQ(Control(11006, 11008).text, "");
  EXPECT_EQ(Control(11007, -1).text, "Enter float (decimal number) value:");
  EXPECT_EQ(Control(11008, 11012).text, "Enter string:");
  EXPECT_EQ(Control(11009, -1).text, "Please select an object:");
  const DialogRect list = Control(11005, 11006).rect;
  EXPECT_EQ((std::vector<int>{list.x, list.y, list.width, list.height}),
            (std::vector<int>{5, 15, 195, 113}));
  const DialogRect value = Control(11006, 11008).rect;
  EXPECT_EQ((std::vector<int>{value.x, value.y, value.width, value.height}),
            (std::vector<int>{70, 40, 225, 15}));
  const DialogRect combo = Control(11009, 11013).rect;
  EXPECT_EQ((std::vector<int>{combo.x, combo.y, combo.width, combo.height}),
            (std::vector<int>{5, 20, 120, 12}));
}

TEST(PlugInTemplates, EveryControlLiesInsideItsWindowAndNamedIdsAreUnique) {
  for (const DialogTemplate* entry : PlugInTemplates()) {
    std::set<int> ids;
    for (const ControlTemplate& control : entry->controls) {
      EXPECT_LE(control.rect.x + control.rect.width, entry->rect.width)
          << "control " << control.id << " of " << entry->id;
      EXPECT_LE(control.rect.y + control.rect.height, entry->rect.height)
          << "control " << control.id << " of " << entry->id;
      if (control.id != IDC_STATIC) {
        EXPECT_TRUE(ids.insert(control.id).second)
            << "control " << control.id << " of " << entry->id;
      }
    }
  }
}

TEST(PlugInTemplates, OkIsTheFirstTabStopOfTheModalDialogs) {
  for (int id : {11005, 11006, 11007, 11008, 11009}) {
    for (const ControlTemplate& control : Get(id).controls) {
      if ((control.style & WS_TABSTOP) == 0)
        continue;
      EXPECT_EQ(control.id, IDOK) << id;
      break;
    }
  }
}

// Template order is the tab order: on the pages and in the Event Editor every control
// the user can reach takes a tab stop, and each modal dialog has one default button,
// OK, which Enter presses.
TEST(PlugInTemplates, TabStopsAndTheDefaultButton) {
  for (int id : {IDD_NIS_ATTRIBUTES, IDD_FOLLOWERS, IDD_CAMERAS, IDD_EVENT_EDITOR}) {
    for (const ControlTemplate& control : Get(id).controls) {
      EXPECT_EQ((control.style & WS_TABSTOP) != 0, control.controlClass != ControlClass::kStatic)
          << "control " << control.id << " of " << id;
    }
  }
  for (int id : {IDD_EVENT_EDITOR, IDD_EVENT_ATTRIBUTES, IDD_FLOAT_INPUT, IDD_STRING_INPUT,
                 IDD_OBJECT_INPUT}) {
    std::vector<int> defaults;
    for (const ControlTemplate& control : Get(id).controls) {
      if (control.controlClass == ControlClass::kButton &&
          (control.style & 0x0F) == BS_DEFPUSHBUTTON) {
        defaults.push_back(control.id);
      }
    }
    EXPECT_EQ(defaults, std::vector<int>{IDOK}) << id;
  }
}

TEST(PlugInTemplates, FollowersComboStartsWithItsListInItsOwnOrder) {
  const std::vector<std::string_view> expected = {"asteroid", "camera", "camera_target", "Effect",
                                                  "None",     "ship",   "resource",      "salvage"};
  const auto entries = SobGroupTypeEntries();
  EXPECT_EQ(std::vector<std::string_view>(entries.begin(), entries.end()), expected);
  const DialogTemplate& followers = Get(11001);
  ASSERT_EQ(followers.comboLists.size(), 1u);
  EXPECT_EQ(followers.comboLists[0].controlId, 11002);
  EXPECT_EQ(followers.comboLists[0].items.data(), entries.data());
  for (const DialogTemplate* entry : PlugInTemplates()) {
    if (entry->id != 11001) {
      EXPECT_TRUE(entry->comboLists.empty()) << entry->id;
    }
  }
}

}  // namespace
}  // namespace quorvel::ui
