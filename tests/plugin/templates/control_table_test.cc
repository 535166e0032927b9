#include "plugin/templates/control_table.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

using ::testing::HasSubstr;

// The doc shows the table as made from the templates now.
TEST(ControlTableTest, TheCommittedDocHoldsTheTableAsMade) {
  const std::string path = QUORVEL_SOURCE_DIR "/docs/ui-scripts.md";
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  ASSERT_TRUE(file) << "cannot read " << path;
  const std::optional<std::string> committed = ControlIdTableIn(text.str());
  ASSERT_TRUE(committed) << path << " lacks the lines that enclose the table of control ids";
  EXPECT_EQ(*committed, ControlIdTable())
      << "the templates changed: run `build/bin/quorvel_control_table docs/ui-scripts.md` "
         "and commit the doc";
}

TEST(ControlTableTest, NamesEachControlAsAPersonReadsIt) {
  const struct {
    int dialog;
    int control;
    const char* label;
  } cases[] = {
      {IDD_NIS_ATTRIBUTES, IDC_FRAME_RATE, "Frames Per Second"},       // label on the left
      {IDD_FOLLOWERS, IDC_SOB_GROUP_TYPE, "Sob Group Type"},           // of two labels, its row's
      {IDD_CAMERAS, IDC_CENTER_OF_INTEREST, "Center of Interest"},     // taller than its label
      {IDD_EVENT_EDITOR, IDC_EVENT_LIST, "Time | Event | Parameter"},  // label above, tabs
      {IDD_EVENT_EDITOR, IDC_ADD, "Add"},                              // caption, key mark gone
      {IDD_EVENT_ATTRIBUTES, IDC_VALUE, "Value"},                      // a button without caption
      {IDD_FLOAT_INPUT, IDC_INPUT, "Enter float (decimal number) value"},
      {IDD_STRING_INPUT, IDC_INPUT, "Enter string"},  // the label above has an id of its own
      {IDD_STRING_INPUT, IDC_PROMPT, "Enter string"},
      {IDD_OBJECT_INPUT, IDC_OBJECT, "Please select an object"},
  };
  const std::string table = ControlIdTable();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dialog) + " " + std::to_string(c.control));
    const DialogTemplate& dialog = *FindPlugInTemplate(c.dialog);
    for (const ControlTemplate& control : dialog.controls) {
      if (control.id == c.control) {
        EXPECT_EQ(ControlLabel(dialog, control), c.label);
      }
    }
    EXPECT_THAT(table, HasSubstr(" | " + std::to_string(c.control) + " | "));
  }
}

// One row for each control a script can name, and for the sheet's own two buttons.
TEST(ControlTableTest, HasARowForEveryControlWithAnId) {
  const std::string table = ControlIdTable();
  size_t rows = 0;
  for (const DialogTemplate* dialog : PlugInTemplates()) {
    for (const ControlTemplate& control : dialog->controls)
      rows += control.id != IDC_STATIC ? 1 : 0;
  }
  size_t lines = 0;
  for (const char c : table)
    lines += c == '\n' ? 1 : 0;
  EXPECT_EQ(lines, 2 + 2 + rows);  // heading and rule, OK and Cancel, the controls
  EXPECT_THAT(table, HasSubstr("| `sheet` | 1 | button | OK |\n"));
  EXPECT_THAT(table, HasSubstr("| `sheet`, Cameras page | 11006 | combo box, list only | "
                               "Center of Interest |\n"));
  EXPECT_THAT(table, HasSubstr("| `11006` Event Attributes... | 11009 | edit, digits only | "
                               "Frame |\n"));
}

TEST(ControlTableTest, ReplacesOnlyWhatTheMarkersEnclose) {
  const std::string begin(kControlTableBegin);
  const std::string end(kControlTableEnd);
  const std::string doc = "# Doc\n\n" + begin + "\nold\nrows\n" + end + "\n\nafter\n";
  EXPECT_EQ(ControlIdTableIn(doc), "old\nrows\n");
  EXPECT_EQ(WithControlIdTable(doc, "new\n"),
            "# Doc\n\n" + begin + "\nnew\n" + end + "\n\nafter\n");
  for (const std::string& broken :
       {std::string("# Doc\n"), "x\n" + begin + "\nrows\n", "x\n" + end + "\n" + begin + "\n"}) {
    EXPECT_EQ(ControlIdTableIn(broken), std::nullopt);
    EXPECT_EQ(WithControlIdTable(broken, "new\n"), std::nullopt);
  }
}

}  // namespace
}  // namespace quorvel::ui
