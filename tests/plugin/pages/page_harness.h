// Runs attribute pages on a sheet "Quorvel" under a UI script, as the session does.
#pragma once

#include <initializer_list>
#include <string_view>

#include "framework/core/property_page.h"

namespace quorvel::ui {

// Adds the pages in order, runs the sheet with the plug-in's templates installed and
// the script playing the user, and checks that the script was played to its end.
// Returns the sheet's result (IDOK, IDCANCEL). A failing step raises ScriptFailure.
int RunPagesUnderScript(std::initializer_list<CPropertyPage*> pages, std::string_view script);

}  // namespace quorvel::ui
