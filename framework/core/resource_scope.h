// Where windows find their templates.
//
// The framework does not link the template tables. Whoever runs dialogs installs a set
// of templates for the length of a scope; the previous set comes back when the scope
// ends, also when it ends by an exception:
//
//   ResourceScope resources(PlugInTemplates());   // plugin/templates/templates.h
//   sheet.DoModal();
//
// Scopes nest; only the innermost set is searched.
#pragma once

#include "framework/core/dialog_template.h"

namespace quorvel::ui {

class ResourceScope {
 public:
  explicit ResourceScope(TemplateSet templates);
  ~ResourceScope();
  ResourceScope(const ResourceScope&) = delete;
  ResourceScope& operator=(const ResourceScope&) = delete;

 private:
  TemplateSet previous_;
};

// The installed templates (empty when no scope is open).
TemplateSet CurrentTemplates();
// The installed template with this id, or nullptr.
const DialogTemplate* FindTemplate(int id);

}  // namespace quorvel::ui
