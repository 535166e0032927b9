// The QApplication that the Qt backend's tests share, created when the tests start
// (not while they are only listed) on the platform ctest names (offscreen).
#pragma once

#include <string_view>

#include "ui/backends/qt/qt_script_player.h"
#include "ui/framework/dialog.h"
#include "ui/script/script.h"

namespace quorvel::ui::qt::testing {

// Runs body with the templates given installed and a Qt backend playing script;
// returns the failure, or a ScriptFailure on line 0 when the whole script played.
ScriptFailure PlayOnQt(TemplateSet templates, std::string_view script,
                       const std::function<void()>& body);

}  // namespace quorvel::ui::qt::testing
