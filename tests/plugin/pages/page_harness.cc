#include "tests/plugin/pages/page_harness.h"

#include "framework/core/backend.h"
#include "framework/core/property_sheet.h"
#include "framework/core/resource_scope.h"
#include "plugin/templates/templates.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel::ui {

int RunPagesUnderScript(std::initializer_list<CPropertyPage*> pages, std::string_view script) {
  ResourceScope resources(PlugInTemplates());
  testing::ScriptedBackend scripted = testing::MakeScriptedBackend(ParseScript(script));
  BackendScope installed(scripted.backend.get());
  CPropertySheet sheet("Quorvel", nullptr, 0);
  for (CPropertyPage* page : pages) {
    sheet.AddPage(page);
  }
  sheet.EnableStackedTabs(false);
  const int result = sheet.DoModal();
  scripted.checkFinished();
  return result;
}

}  // namespace quorvel::ui
