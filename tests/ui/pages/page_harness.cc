#include "tests/ui/pages/page_harness.h"

#include "resources/templates.h"
#include "tests/ui/framework/scripted_backend.h"
#include "ui/framework/backend.h"
#include "ui/framework/property_sheet.h"
#include "ui/framework/resource_scope.h"

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
