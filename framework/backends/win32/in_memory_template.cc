#include "framework/backends/win32/in_memory_template.h"

namespace quorvel::ui::win32 {
namespace {

constexpr uint16_t kExtendedVersion = 1;
constexpr uint16_t kExtendedSignature = 0xFFFF;
constexpr uint16_t kNormalWeight = 400;
constexpr uint16_t kDefaultCharset = 1;

uint16_t AtomFor(ControlClass controlClass) {
  switch (controlClass) {
    case ControlClass::kButton:
      return kButtonAtom;
    case ControlClass::kEdit:
      return kEditAtom;
    case ControlClass::kStatic:
      return kStaticAtom;
    case ControlClass::kComboBox:
      return kComboBoxAtom;
    case ControlClass::kListView:
      return 0;
  }
  return 0;
}

int16_t Short(int value) {
  return static_cast<int16_t>(value);
}

}  // namespace

void InMemoryTemplate::PutLong(uint32_t value) {
  Put(static_cast<uint16_t>(value & 0xFFFFu));
  Put(static_cast<uint16_t>(value >> 16));
}

void InMemoryTemplate::PutText(std::string_view text) {
  for (char c : text)
    Put(static_cast<unsigned char>(c));
  Put(0);
}

void InMemoryTemplate::AlignToLong() {
  if (words_.size() % 2 != 0)
    Put(0);
}

InMemoryTemplate::InMemoryTemplate(const TemplateFrame& frame,
                                   std::span<const TemplateItem> items) {
  const bool withFont = (frame.style & DS_SETFONT) != 0;
  Put(kExtendedVersion);
  Put(kExtendedSignature);
  PutLong(0);  // help id
  PutLong(frame.exStyle);
  PutLong(frame.style);
  Put(static_cast<uint16_t>(items.size()));
  for (int value : {frame.rect.x, frame.rect.y, frame.rect.width, frame.rect.height})
    Put(static_cast<uint16_t>(Short(value)));
  Put(0);  // no menu
  Put(0);  // the system's dialog class
  PutText(frame.caption);
  if (withFont) {
    Put(static_cast<uint16_t>(frame.font.pointSize));
    Put(kNormalWeight);
    Put(kDefaultCharset << 8);  // italic 0, then the character set
    PutText(frame.font.name);
  }
  for (const TemplateItem& item : items) {
    AlignToLong();
    PutLong(0);  // help id
    PutLong(item.exStyle);
    PutLong(item.style);
    for (int value : {item.rect.x, item.rect.y, item.rect.width, item.rect.height})
      Put(static_cast<uint16_t>(Short(value)));
    PutLong(static_cast<uint32_t>(item.id));
    if (item.classAtom != 0) {
      Put(0xFFFF);
      Put(item.classAtom);
    } else {
      PutText(item.className);
    }
    PutText(item.text);
    Put(0);  // no creation data
  }
  AlignToLong();
}

TemplateItem ItemFor(const ControlTemplate& control) {
  TemplateItem item;
  item.id = control.id;
  item.classAtom = AtomFor(control.controlClass);
  if (control.controlClass == ControlClass::kListView)
    item.className = kListViewClass;
  item.text = control.text;
  item.rect = control.rect;
  item.style = control.style | kChildStyles;
  if (control.controlClass == ControlClass::kButton)
    item.style |= BS_NOTIFY;
  return item;
}

namespace {

InMemoryTemplate FromTable(const DialogTemplate& entry, const TemplateFrame& frame) {
  std::vector<TemplateItem> items;
  items.reserve(entry.controls.size());
  for (const ControlTemplate& control : entry.controls)
    items.push_back(ItemFor(control));
  return InMemoryTemplate(frame, items);
}

}  // namespace

InMemoryTemplate DialogFromTemplate(const DialogTemplate& entry) {
  return FromTable(entry, {entry.caption, entry.rect, entry.style | WS_VISIBLE, 0, entry.font});
}

InMemoryTemplate PageFromTemplate(const DialogTemplate& entry) {
  constexpr uint32_t kTopLevelOnly =
      WS_POPUP | WS_CAPTION | WS_DISABLED | WS_SYSMENU | DS_MODALFRAME;
  const uint32_t style = (entry.style & ~kTopLevelOnly) | WS_CHILD | DS_CONTROL;
  const DialogRect rect{0, 0, entry.rect.width, entry.rect.height};
  return FromTable(entry, {"", rect, style, WS_EX_CONTROLPARENT, entry.font});
}

}  // namespace quorvel::ui::win32
