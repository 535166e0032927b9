#include "plugin/templates/control_table.h"

#include <string>

#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

bool IsLabel(const ControlTemplate& control) {
  return control.controlClass == ControlClass::kStatic;
}

// Labels as read: "&" marks a key and is not shown, tabs and runs of blanks are one
// blank, a closing colon goes.
std::string Readable(std::string_view text) {
  std::string readable;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '&' && i + 1 < text.size())
      c = text[++i];
    if (c == '\t')
      c = ' ';
    if (c == ' ' && (readable.empty() || readable.back() == ' '))
      continue;
    readable += c;
  }
  while (!readable.empty() && (readable.back() == ' ' || readable.back() == ':'))
    readable.pop_back();
  return readable;
}

// A table cell: "|" would end it.
std::string Cell(std::string_view text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|')
      cell += '\\';
    cell += c;
  }
  return cell;
}

std::string KindOf(const ControlTemplate& control) {
  switch (control.controlClass) {
    case ControlClass::kButton:
      return "button";
    case ControlClass::kEdit:
      if ((control.style & ES_READONLY) != 0)
        return "edit, read-only";
      if ((control.style & ES_NUMBER) != 0)
        return "edit, digits only";
      return "edit";
    case ControlClass::kStatic:
      return "text";
    case ControlClass::kComboBox:
      return (control.style & CBS_TYPEMASK) == CBS_DROPDOWNLIST ? "combo box, list only"
                                                                : "combo box, editable";
    case ControlClass::kListView:
      return "list view";
  }
  return "control";
}

void AddRows(std::string& table, const std::string& window, const DialogTemplate& dialog) {
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == IDC_STATIC)
      continue;
    table += "| " + window + " | " + std::to_string(control.id) + " | " + KindOf(control) + " | " +
             Cell(ControlLabel(dialog, control)) + " |\n";
  }
}

}  // namespace

std::string ControlLabel(const DialogTemplate& dialog, const ControlTemplate& control) {
  // A list view's template text is a placeholder nobody sees; edits and combos have none.
  if (control.controlClass == ControlClass::kStatic ||
      (control.controlClass == ControlClass::kButton && !control.text.empty()))
    return Readable(control.text);
  const DialogRect& r = control.rect;
  const ControlTemplate* beside = nullptr;
  const ControlTemplate* above = nullptr;
  for (const ControlTemplate& label : dialog.controls) {
    if (!IsLabel(label) || &label == &control)
      continue;
    const DialogRect& l = label.rect;
    const bool sameRow = l.y < r.y + r.height && r.y < l.y + l.height;
    const bool sameColumn = l.x < r.x + r.width && r.x < l.x + l.width;
    if (sameRow && l.x + l.width <= r.x &&
        (beside == nullptr || l.x + l.width > beside->rect.x + beside->rect.width))
      beside = &label;
    if (sameColumn && l.y + l.height <= r.y &&
        (above == nullptr || l.y + l.height > above->rect.y + above->rect.height))
      above = &label;
  }
  if (beside != nullptr)
    return Readable(beside->text);
  return above != nullptr ? Readable(above->text) : std::string();
}

std::string ControlIdTable() {
  std::string table =
      "| window | id | control | caption or label |\n"
      "|---|---|---|---|\n";
  // The sheet's own buttons are the standard ones; its pages' controls follow.
  table += "| `sheet` | " + std::to_string(IDOK) + " | button | OK |\n";
  table += "| `sheet` | " + std::to_string(IDCANCEL) + " | button | Cancel |\n";
  for (const DialogTemplate* dialog : PlugInTemplates()) {
    if ((dialog->style & WS_CHILD) != 0) {
      AddRows(table, "`sheet`, " + std::string(dialog->caption) + " page", *dialog);
    }
  }
  for (const DialogTemplate* dialog : PlugInTemplates()) {
    if ((dialog->style & WS_CHILD) == 0) {
      AddRows(table, "`" + std::to_string(dialog->id) + "` " + std::string(dialog->caption),
              *dialog);
    }
  }
  return table;
}

std::optional<std::string> ControlIdTableIn(std::string_view document) {
  const size_t begin = document.find(kControlTableBegin);
  if (begin == std::string_view::npos)
    return std::nullopt;
  const size_t start = document.find('\n', begin);
  const size_t end = document.find(kControlTableEnd, begin);
  if (start == std::string_view::npos || end == std::string_view::npos || end < start)
    return std::nullopt;
  return std::string(document.substr(start + 1, end - start - 1));
}

std::optional<std::string> WithControlIdTable(std::string_view document, std::string_view table) {
  const std::optional<std::string> old = ControlIdTableIn(document);
  if (!old)
    return std::nullopt;
  const size_t start = document.find('\n', document.find(kControlTableBegin)) + 1;
  std::string updated(document.substr(0, start));
  updated += table;
  updated += document.substr(start + old->size());
  return updated;
}

}  // namespace quorvel::ui
