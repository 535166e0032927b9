// The QApplication that the Qt backend's tests share, created when the tests start
// (not while they are only listed) on the platform ctest names (offscreen).
#pragma once

#include <functional>
#include <string_view>

#include "framework/backends/qt/qt_script_player.h"
#include "framework/core/backend.h"
#include "framework/core/dialog.h"
#include "framework/core/resource_scope.h"
#include "framework/script/script.h"

namespace quorvel::ui::qt::testing {

// Runs body with the templates given installed and a `ScriptBackend` (built from
// the parsed script) playing script; returns the failure, or a ScriptFailure on
// line 0 when the whole script played.
template <class ScriptBackend>
ScriptFailure PlayOn(TemplateSet templates, std::string_view script,
                     const std::function<void()>& body) {
  ScriptBackend backend(ParseScript(script));
  ResourceScope resources(templates);
  BackendScope scope(&backend);
  try {
    body();
    backend.CheckFinished();
  } catch (const ScriptFailure& failure) {
    return failure;
  }
  return ScriptFailure(0, "the whole script played");
}

// PlayOn with real Qt widgets.
ScriptFailure PlayOnQt(TemplateSet templates, std::string_view script,
                       const std::function<void()>& body);

}  // namespace quorvel::ui::qt::testing
