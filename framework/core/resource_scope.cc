#include "framework/core/resource_scope.h"

namespace quorvel::ui {
namespace {
// One registry for the process: the framework is a shared library, so the plug-in
// module and the program that loads it see the same one.
TemplateSet g_templates;
}  // namespace

ResourceScope::ResourceScope(TemplateSet templates) : previous_(g_templates) {
  g_templates = templates;
}

ResourceScope::~ResourceScope() {
  g_templates = previous_;
}

TemplateSet CurrentTemplates() {
  return g_templates;
}

const DialogTemplate* FindTemplate(int id) {
  for (const DialogTemplate* entry : g_templates) {
    if (entry != nullptr && entry->id == id)
      return entry;
  }
  return nullptr;
}

}  // namespace quorvel::ui
