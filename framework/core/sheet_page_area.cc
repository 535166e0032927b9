#include "framework/core/sheet_page_area.h"

#include <algorithm>

#include "framework/core/property_sheet.h"
#include "framework/core/resource_scope.h"

namespace quorvel::ui {

DialogRect SheetPageArea(const ModalWindow& window) {
  DialogRect area;
  const auto* sheet = dynamic_cast<const CPropertySheet*>(&window);
  if (sheet == nullptr)
    return area;
  for (int i = 0; i < sheet->GetPageCount(); ++i) {
    if (const DialogTemplate* page = FindTemplate(sheet->GetPage(i)->GetTemplateId())) {
      area.width = std::max(area.width, page->rect.width);
      area.height = std::max(area.height, page->rect.height);
    }
  }
  return area;
}

}  // namespace quorvel::ui
