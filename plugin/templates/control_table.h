// The table of every window's control ids that docs/ui-scripts.md shows to people
// who write UI scripts, made from the templates so that it cannot drift from them
// (library quorvel_control_ids; the program quorvel_control_table writes it into
// the doc).
//
//   std::string table = ControlIdTable();              // Markdown
//   std::string doc = WithControlIdTable(doc, table);  // the doc with it replaced
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/core/dialog_template.h"

namespace quorvel::ui {

// The lines that enclose the table in a document.
inline constexpr std::string_view kControlTableBegin =
    "<!-- control ids: made from the dialog templates by quorvel_control_table; do not edit -->";
inline constexpr std::string_view kControlTableEnd = "<!-- end of control ids -->";

// A Markdown table: for the sheet's own buttons, each page's controls and each
// dialog's, the window a script names, the control id, what kind of control it is,
// and its caption or, for a control without one, the label beside or above it.
// Labels and statics without an id are left out: no script can name them.
std::string ControlIdTable();

// What a person reads as the name of a control: its caption, or else the text of the
// label beside it on the left or, failing that, right above it ("" when none).
std::string ControlLabel(const DialogTemplate& dialog, const ControlTemplate& control);

// The table as `document` holds it between the two lines above, or nullopt when
// the document lacks them.
std::optional<std::string> ControlIdTableIn(std::string_view document);

// `document` with the table between the two lines replaced by `table`; nullopt when
// the document lacks them.
std::optional<std::string> WithControlIdTable(std::string_view document, std::string_view table);

}  // namespace quorvel::ui
