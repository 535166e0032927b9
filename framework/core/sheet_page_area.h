// The room a property sheet keeps for its pages, for backends that lay a sheet out.
//
//   DialogRect area = SheetPageArea(window);  // {0, 0, width, height} in dialog units
#pragma once

#include "framework/core/dialog_template.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {

// For a sheet, as wide as its widest page and as high as its highest (of the pages
// whose template is installed), so that the sheet keeps its size whichever page is
// active. For a dialog, or a sheet without pages, an empty rectangle.
DialogRect SheetPageArea(const ModalWindow& window);

}  // namespace quorvel::ui
