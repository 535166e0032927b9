// The dialog templates made in memory: the extended template layout word by word, as
// the system's dialog manager reads it.
#include "framework/backends/win32/in_memory_template.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorvel::ui::win32 {
namespace {

using enum ControlClass;

// Reads the template's words in order, as the dialog manager does.
class Reader {
 public:
  explicit Reader(const InMemoryTemplate& bytes) : words_(bytes.Words()) {}

  uint16_t Word() { return words_.at(at_++); }
  uint32_t Long() {
    const uint32_t low = Word();
    return low | (static_cast<uint32_t>(Word()) << 16);
  }
  int16_t Short() { return static_cast<int16_t>(Word()); }
  std::u16string Text() {
    std::u16string text;
    for (uint16_t c = Word(); c != 0; c = Word())
      text.push_back(static_cast<char16_t>(c));
    return text;
  }
  void AlignToLong() {
    if (at_ % 2 != 0) {
      EXPECT_EQ(Word(), 0) << "padding";
    }
  }
  size_t At() const { return at_; }

 private:
  const std::vector<uint16_t>& words_;
  size_t at_ = 0;
};

struct Item {
  uint32_t exStyle;
  uint32_t style;
  DialogRect rect;
  uint32_t id;
  uint16_t atom;  // 0: by name
  std::u16string className;
  std::u16string text;
};

struct Header {
  uint32_t exStyle;
  uint32_t style;
  uint16_t count;
  DialogRect rect;
  std::u16string caption;
  uint16_t pointSize;
  std::u16string face;
};

Header ReadHeader(Reader& in) {
  EXPECT_EQ(in.Word(), 1) << "extended template version";
  EXPECT_EQ(in.Word(), 0xFFFF) << "extended template signature";
  EXPECT_EQ(in.Long(), 0u) << "help id";
  Header header{};
  header.exStyle = in.Long();
  header.style = in.Long();
  header.count = in.Word();
  header.rect = {in.Short(), in.Short(), in.Short(), in.Short()};
  EXPECT_EQ(in.Word(), 0) << "menu";
  EXPECT_EQ(in.Word(), 0) << "window class";
  header.caption = in.Text();
  if ((header.style & DS_SETFONT) != 0) {
    header.pointSize = in.Word();
    EXPECT_EQ(in.Word(), 400) << "weight";
    EXPECT_EQ(in.Word(), 0x0100) << "italic and character set";
    header.face = in.Text();
  }
  return header;
}

Item ReadItem(Reader& in) {
  in.AlignToLong();
  EXPECT_EQ(in.Long(), 0u) << "help id";
  Item item{};
  item.exStyle = in.Long();
  item.style = in.Long();
  item.rect = {in.Short(), in.Short(), in.Short(), in.Short()};
  item.id = in.Long();
  if (const uint16_t first = in.Word(); first == 0xFFFF) {
    item.atom = in.Word();
  } else {
    item.className.push_back(static_cast<char16_t>(first));
    if (first != 0)
      item.className += in.Text();
  }
  item.text = in.Text();
  EXPECT_EQ(in.Word(), 0) << "creation data";
  return item;
}

constexpr ControlTemplate kControls[] = {
    {IDOK, kButton, "OK", {245, 5, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDC_STATIC, kStatic, "Frame:", {5, 5, 60, 12}, SS_CENTERIMAGE},
    {11009, kEdit, "", {70, 5, 170, 12}, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER},
    {11010, kComboBox, "", {70, 20, 170, 15}, CBS_DROPDOWNLIST | WS_VSCROLL},
    {11006, kListView, "List1", {5, 15, 195, 113}, LVS_SMALLICON | LVS_SINGLESEL},
    // Bytes beyond ASCII stand for the UTF-16 units of the same number.
    {12, kStatic, "Caf\xE9", {1, 2, 3, 4}, SS_LEFT},
};
constexpr DialogTemplate kDialog{
    11006, "Event Attributes...", {0, 0, 297, 57}, kModalDialogStyle, kDialogFont, kControls, {}};

TEST(InMemoryTemplateTest, DialogHeaderCarriesCaptionSizeAndFontInDialogUnits) {
  const InMemoryTemplate bytes = DialogFromTemplate(kDialog);
  Reader in(bytes);
  const Header header = ReadHeader(in);
  EXPECT_EQ(header.style, kModalDialogStyle | WS_VISIBLE);
  EXPECT_EQ(header.exStyle, 0u);
  EXPECT_EQ(header.count, std::size(kControls));
  EXPECT_EQ(header.rect.width, 297);
  EXPECT_EQ(header.rect.height, 57);
  EXPECT_EQ(header.caption, u"Event Attributes...");
  EXPECT_EQ(header.pointSize, 8);
  EXPECT_EQ(header.face, u"MS Sans Serif");
}

TEST(InMemoryTemplateTest, ItemsKeepTemplateOrderPositionsAndStylesOnAlignedBoundaries) {
  const InMemoryTemplate bytes = DialogFromTemplate(kDialog);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes.Data()) % 4, 0u);
  EXPECT_EQ(bytes.Size() % 4, 0u);
  Reader in(bytes);
  ReadHeader(in);
  struct Expected {
    uint16_t atom;
    std::u16string className;
    std::u16string text;
  };
  const Expected expected[] = {
      {kButtonAtom, u"", u"OK"}, {kStaticAtom, u"", u"Frame:"},   {kEditAtom, u"", u""},
      {kComboBoxAtom, u"", u""}, {0, u"SysListView32", u"List1"}, {kStaticAtom, u"", u"Caf\u00E9"},
  };
  for (size_t i = 0; i < std::size(kControls); ++i) {
    SCOPED_TRACE("item " + std::to_string(i));
    in.AlignToLong();
    EXPECT_EQ(in.At() % 2, 0u) << "each item starts on a 4-byte boundary";
    const Item item = ReadItem(in);
    const ControlTemplate& control = kControls[i];
    EXPECT_EQ(item.id, static_cast<uint32_t>(control.id));
    // Buttons also report their focus, as edits and combo boxes do.
    const uint32_t notify = control.controlClass == ControlClass::kButton ? BS_NOTIFY : 0u;
    EXPECT_EQ(item.style, control.style | WS_CHILD | WS_VISIBLE | notify);
    EXPECT_EQ(item.rect.x, control.rect.x);
    EXPECT_EQ(item.rect.y, control.rect.y);
    EXPECT_EQ(item.rect.width, control.rect.width);
    EXPECT_EQ(item.rect.height, control.rect.height);
    EXPECT_EQ(item.atom, expected[i].atom);
    EXPECT_EQ(item.className, expected[i].className);
    EXPECT_EQ(item.text, expected[i].text);
  }
  in.AlignToLong();
  EXPECT_EQ(in.At(), bytes.Words().size());
}

TEST(InMemoryTemplateTest, PageIsAnEnabledChildWithoutCaptionThatTakesPartInTabbing) {
  static constexpr ControlTemplate kPageControls[] = {
      {11000, kEdit, "", {80, 5, 175, 12}, ES_NUMBER | WS_BORDER | WS_TABSTOP},
  };
  static constexpr DialogTemplate kPage{
      11000, "NIS Attributes", {3, 4, 257, 36}, kPropertyPageStyle, kDialogFont, kPageControls, {}};
  const InMemoryTemplate bytes = PageFromTemplate(kPage);
  Reader in(bytes);
  const Header header = ReadHeader(in);
  EXPECT_EQ(header.style, WS_CHILD | DS_SETFONT | DS_CONTROL);
  EXPECT_EQ(header.exStyle, WS_EX_CONTROLPARENT);
  EXPECT_EQ(header.caption, u"");
  EXPECT_EQ(header.rect.x, 0);
  EXPECT_EQ(header.rect.y, 0);
  EXPECT_EQ(header.rect.width, 257);
  EXPECT_EQ(header.rect.height, 36);
  EXPECT_EQ(header.count, 1);
  EXPECT_EQ(ReadItem(in).id, 11000u);
}

TEST(InMemoryTemplateTest, TemplateWithoutFontHasNoFontFields) {
  constexpr DialogTemplate kBare{1, "Bare", {0, 0, 10, 10}, WS_POPUP, kDialogFont, {}, {}};
  const InMemoryTemplate bytes = DialogFromTemplate(kBare);
  Reader in(bytes);
  const Header header = ReadHeader(in);
  EXPECT_EQ(header.count, 0);
  in.AlignToLong();
  EXPECT_EQ(in.At(), bytes.Words().size());
}

}  // namespace
}  // namespace quorvel::ui::win32
