// The data format of a dialog template: what a window is built from.
//
// A template is plain constant data: the window's caption, size and font, and one
// entry per control with its id, class, text, position in dialog units and style
// bits. Every backend lays out its windows from these tables, so the tables are the
// one description of what the user sees. The format is the framework's; the tables
// themselves live in resources/, which uses this header and nothing else of the
// framework (it depends on nothing but the standard library).
//
//   constexpr ControlTemplate kControls[] = {
//       {IDOK, ControlClass::kButton, "OK", {5, 5, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
//   };
//   constexpr DialogTemplate kInput{500, "Input", {0, 0, 186, 41}, kModalDialogStyle,
//                                   kDialogFont, kControls};
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel::ui {

// Window style bits, with the values the templates were written with.
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_CHILD = 0x40000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr uint32_t WS_DISABLED = 0x08000000u;
inline constexpr uint32_t WS_CAPTION = 0x00C00000u;
inline constexpr uint32_t WS_BORDER = 0x00800000u;
inline constexpr uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr uint32_t WS_VSCROLL = 0x00200000u;
inline constexpr uint32_t WS_HSCROLL = 0x00100000u;
inline constexpr uint32_t WS_GROUP = 0x00020000u;
inline constexpr uint32_t WS_TABSTOP = 0x00010000u;

inline constexpr uint32_t DS_SETFONT = 0x0040u;
inline constexpr uint32_t DS_MODALFRAME = 0x0080u;

inline constexpr uint32_t ES_LEFT = 0x0000u;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x0080u;
inline constexpr uint32_t ES_READONLY = 0x0800u;
inline constexpr uint32_t ES_NUMBER = 0x2000u;

inline constexpr uint32_t BS_PUSHBUTTON = 0x0000u;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001u;

inline constexpr uint32_t SS_LEFT = 0x0000u;
inline constexpr uint32_t SS_CENTERIMAGE = 0x0200u;  // text centred vertically

inline constexpr uint32_t CBS_DROPDOWN = 0x0002u;      // editable field and a list
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x0003u;  // list only, no typing
inline constexpr uint32_t CBS_TYPEMASK = 0x0003u;
inline constexpr uint32_t CBS_AUTOHSCROLL = 0x0040u;
inline constexpr uint32_t CBS_SORT = 0x0100u;

inline constexpr uint32_t LVS_SMALLICON = 0x0002u;
inline constexpr uint32_t LVS_SINGLESEL = 0x0004u;
inline constexpr uint32_t LVS_ALIGNLEFT = 0x0800u;

// A page of a property sheet: a child window with a caption, disabled until shown.
inline constexpr uint32_t kPropertyPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
// A modal pop-up with a title bar and no system menu. (The real windows still get a
// close box, which acts as Cancel, as fixed-size dialogs do on the desktops we run on.)
inline constexpr uint32_t kModalDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

// The id of controls that nothing refers to (labels).
inline constexpr int IDC_STATIC = -1;
// The ids of the standard buttons; pressing them ends a dialog with the same value.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

enum class ControlClass { kButton, kEdit, kStatic, kComboBox, kListView };

// A rectangle in dialog units.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ControlTemplate {
  int id = IDC_STATIC;
  ControlClass controlClass = ControlClass::kStatic;
  std::string_view text;
  DialogRect rect;
  uint32_t style = 0;
};

// The items a combo box holds as soon as its window is created, before any data
// exchange runs.
struct ComboInitList {
  int controlId = 0;
  std::span<const std::string_view> items;
};

struct DialogFont {
  std::string_view name;
  int pointSize = 0;
};

inline constexpr DialogFont kDialogFont{"MS Sans Serif", 8};

struct DialogTemplate {
  int id = 0;
  std::string_view caption;
  DialogRect rect;
  uint32_t style = 0;
  DialogFont font;
  std::span<const ControlTemplate> controls;  // in template order (= tab order)
  std::span<const ComboInitList> comboLists;
};

// A set of templates that can be installed as the current resources
// (see framework/core/resource_scope.h).
using TemplateSet = std::span<const DialogTemplate* const>;

}  // namespace quorvel::ui
