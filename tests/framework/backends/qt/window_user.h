// A user written as code for the Qt backend's own tests: each action runs from the
// event loop on the window in front, as the script player's steps do, and may use
// any input Qt Test can give (keys included, which UI scripts do not have).
//
//   PlayActions({[](const OpenWindow& top) { QTest::keyClick(top.Widget(), Qt::Key_Escape); }},
//               [&] { result = dialog.DoModal(); });
#pragma once

#include <functional>
#include <vector>

#include "framework/backends/qt/qt_backend.h"
#include "framework/core/dialog_template.h"

namespace quorvel::ui::qt::testing {

using Action = std::function<void(const OpenWindow& top)>;

// Runs `run` with a Qt backend and the templates installed, playing the actions in
// turn. Returns false (with a gtest failure) when actions were left over, or when a
// window was still open once they ran out (it is then closed).
bool PlayActions(TemplateSet templates, const std::vector<Action>& actions,
                 const std::function<void()>& run);

// The framework control id a widget shows, or 0.
int ControlIdOf(const QWidget* widget);

}  // namespace quorvel::ui::qt::testing
