// InMemoryTemplate: the bytes of an extended dialog template (DLGTEMPLATEEX and its
// DLGITEMTEMPLATEEX entries), made in memory from the framework's template tables,
// for DialogBoxIndirectParamA and CreateDialogIndirectParamA. Positions stay in
// dialog units of the template's font: the system's dialog manager turns them into
// pixels, as it does for a template stored in a module's resources.
//
//   InMemoryTemplate bytes = DialogFromTemplate(entry);
//   DialogBoxIndirectParamA(instance, bytes.Data(), owner, DialogProc, param);
//
// Plain data, with no system header: it is built and tested on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/core/dialog_template.h"

namespace quorvel::ui::win32 {

// The system's predefined control classes, as a template names them by atom.
inline constexpr uint16_t kButtonAtom = 0x0080;
inline constexpr uint16_t kEditAtom = 0x0081;
inline constexpr uint16_t kStaticAtom = 0x0082;
inline constexpr uint16_t kComboBoxAtom = 0x0085;
// The common controls, which a template names by their class names.
inline constexpr std::string_view kListViewClass = "SysListView32";
inline constexpr std::string_view kTabControlClass = "SysTabControl32";

inline constexpr uint32_t kChildStyles = WS_CHILD | WS_VISIBLE;
// A button that tells its owner when it takes or loses the focus (BN_SETFOCUS), as
// an edit or a combo box does of itself: every button of a template gets it.
inline constexpr uint32_t BS_NOTIFY = 0x4000u;
// A dialog that is a child of another and takes part in its keyboard navigation.
inline constexpr uint32_t DS_CONTROL = 0x0400u;
inline constexpr uint32_t WS_EX_CONTROLPARENT = 0x00010000u;

// The window itself.
struct TemplateFrame {
  std::string_view caption;
  DialogRect rect;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  DialogFont font;
};

// One control: a predefined class by its atom, or else a class by its name.
struct TemplateItem {
  int id = IDC_STATIC;
  uint16_t classAtom = 0;
  std::string_view className;
  std::string_view text;
  DialogRect rect;
  uint32_t style = 0;
  uint32_t exStyle = 0;
};

class InMemoryTemplate {
 public:
  // Texts are 8-bit: each byte becomes the UTF-16 unit of the same number. The
  // windows are given their texts again through the A functions once they exist, so
  // that the system's code page never changes a byte.
  InMemoryTemplate(const TemplateFrame& frame, std::span<const TemplateItem> items);

  // Aligned on 4 bytes, as the system requires of a template and of each item.
  const void* Data() const { return words_.data(); }
  std::size_t Size() const { return words_.size() * sizeof(uint16_t); }
  const std::vector<uint16_t>& Words() const { return words_; }

 private:
  void Put(uint16_t word) { words_.push_back(word); }
  void PutLong(uint32_t value);
  void PutText(std::string_view text);
  void AlignToLong();

  std::vector<uint16_t> words_;
};

// The template item of a control of the framework's tables.
TemplateItem ItemFor(const ControlTemplate& control);
// A modal dialog as the table gives it, shown as soon as it is created.
InMemoryTemplate DialogFromTemplate(const DialogTemplate& entry);
// A property page shown inside the sheet's window: a child without caption or frame,
// enabled, at the origin; the sheet places it.
InMemoryTemplate PageFromTemplate(const DialogTemplate& entry);

}  // namespace quorvel::ui::win32
