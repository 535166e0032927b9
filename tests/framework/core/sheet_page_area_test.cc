// The room a sheet keeps for its pages, as a backend asks for it.
#include "framework/core/sheet_page_area.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/dialog.h"
#include "framework/core/property_page.h"
#include "framework/core/property_sheet.h"
#include "framework/core/resource_scope.h"

namespace quorvel::ui {
namespace {

constexpr DialogTemplate kWide{700, "Wide", {0, 0, 220, 30}, kPropertyPageStyle, kDialogFont,
                               {},  {}};
constexpr DialogTemplate kTall{710, "Tall", {0, 0, 150, 90}, kPropertyPageStyle, kDialogFont,
                               {},  {}};
constexpr DialogTemplate kDialog{720, "Dialog", {0, 0, 300, 200}, kModalDialogStyle, kDialogFont,
                                 {},  {}};
constexpr const DialogTemplate* kTemplates[] = {&kWide, &kTall, &kDialog};
constexpr int kNotInstalled = 730;

struct AreaCase {
  const char* name;
  std::vector<int> pages;  // template ids, in order; empty for a plain dialog
  int width;
  int height;
};

const AreaCase kCases[] = {
    {"OnePage", {700}, 220, 30},
    {"WidestAndHighestOfDifferentPages", {700, 710}, 220, 90},
    {"OrderDoesNotMatter", {710, 700}, 220, 90},
    {"PageWithoutInstalledTemplateTakesNoRoom", {710, kNotInstalled}, 150, 90},
    {"SheetWithoutPages", {}, 0, 0},
};

class SheetPageAreaTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(SheetPageAreaTest, LargestPageInBothDirections) {
  ResourceScope resources(kTemplates);
  std::vector<std::unique_ptr<CPropertyPage>> pages;
  CPropertySheet sheet("Quorvel");
  for (int id : GetParam().pages) {
    pages.push_back(std::make_unique<CPropertyPage>(id));
    sheet.AddPage(pages.back().get());
  }
  const DialogRect area = SheetPageArea(sheet);
  EXPECT_EQ(area.width, GetParam().width);
  EXPECT_EQ(area.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Sheets, SheetPageAreaTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SheetPageAreaOfDialogTest, ADialogHasNoPageArea) {
  ResourceScope resources(kTemplates);
  CDialog dialog(720);
  const DialogRect area = SheetPageArea(dialog);
  EXPECT_EQ(area.width, 0);
  EXPECT_EQ(area.height, 0);
}

}  // namespace
}  // namespace quorvel::ui
