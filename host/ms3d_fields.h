// What every reader of the model file shares: the sizes of its records, and the
// reader of its little-endian fields that checks every count against the bytes that
// remain and names file, section, item and offset in its errors.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "host/byte_source.h"
#include "host/ms3d_error.h"

namespace quorvel::host::ms3d_fields {

// Fixed sizes of the file's records, in bytes.
inline constexpr std::uint64_t kHeaderSize = 14;
inline constexpr std::uint64_t kVertexSize = 15;
inline constexpr std::uint64_t kTriangleSize = 70;
inline constexpr std::uint64_t kNameSize = 32;
inline constexpr std::uint64_t kGroupMinimumSize = 1 + kNameSize + 2 + 1;
inline constexpr std::uint64_t kMaterialSize = 361;
inline constexpr std::uint64_t kAnimationSize = 12;
inline constexpr std::uint64_t kJointFixedSize = 1 + kNameSize + kNameSize + 24 + 2 + 2;
inline constexpr std::uint64_t kKeyframeSize = 16;
inline constexpr std::uint64_t kCommentEntryMinimumSize = 8;
inline constexpr char kMagic[] = "MS3D000000";
inline constexpr std::int32_t kVersion = 4;
inline constexpr std::int32_t kCommentsSubVersion = 1;
inline constexpr std::uint64_t kVertexExtraSize[] = {6, 10, 14};  // by sub-version 1, 2, 3
inline constexpr std::uint64_t kJointExtraSize = 12;
inline constexpr std::uint64_t kModelExtraMinimumSize = 12;

// Reads little-endian fields and turns every shortfall into an error that says
// where in the file it happened and what was being read.
class FieldReader {
 public:
  FieldReader(ByteSource& source, std::string_view displayName)
      : source_(source), displayName_(displayName) {}

  // The context of later errors. Kept as plain values and put into words only when
  // an error is raised: a file holds up to 65535 joints, each read in a context of
  // its own.
  void EnterSection(std::string_view section) {
    section_ = section;
    sectionStart_ = source_.Offset();
    item_ = {};
  }

  // `kind` must outlive the item.
  void EnterItem(std::string_view kind, std::uint64_t index, std::uint64_t count) {
    item_ = {kind, index, count, source_.Offset()};
  }

  [[noreturn]] void Fail(const std::string& what, std::string plainLine = {}) const {
    std::string where = std::string(displayName_) + ": " + std::string(section_);
    if (!item_.kind.empty()) {
      where += ": " + std::string(item_.kind) + " " + std::to_string(item_.index) + " of " +
               std::to_string(item_.count) + " at byte " + std::to_string(item_.start);
    } else {
      where += " at byte " + std::to_string(sectionStart_);
    }
    throw Ms3dError(where + ": " + what, std::move(plainLine));
  }

  // A failure of the file as a whole, named without a section or offset.
  [[noreturn]] void FailWhole(const std::string& what) const {
    throw Ms3dError(std::string(displayName_) + ": " + what);
  }

  // Fails unless `bytes` more bytes are there; `what` names what needs them.
  void Need(std::uint64_t bytes, std::string_view what) const {
    if (bytes > source_.Remaining()) {
      Shortfall(std::string(what), bytes, "");
    }
  }

  // The same for `count` items of `itemSize` bytes each.
  void NeedItems(std::uint64_t count, std::uint64_t itemSize, std::string_view itemName) const {
    if (count * itemSize > source_.Remaining()) {
      Shortfall(CountOf(itemName, count), count * itemSize, "");
    }
  }

  // The same for `count` items of varying size, checked by their smallest size
  // before anything is allocated for them.
  void NeedItemsAtLeast(std::uint64_t count, std::uint64_t minimumSize,
                        std::string_view itemName) const {
    if (count * minimumSize > source_.Remaining()) {
      Shortfall(CountOf(itemName, count), count * minimumSize, "at least ");
    }
  }

  std::uint64_t Remaining() const { return source_.Remaining(); }
  std::uint64_t Offset() const { return source_.Offset(); }

  void Skip(std::uint64_t bytes, std::string_view what) {
    Need(bytes, what);
    source_.Skip(bytes);
  }

  void SkipItems(std::uint64_t count, std::uint64_t itemSize, std::string_view itemName) {
    NeedItems(count, itemSize, itemName);
    source_.Skip(count * itemSize);
  }

  std::uint8_t U8(std::string_view what) {
    unsigned char byte = 0;
    Raw(&byte, 1, what);
    return byte;
  }

  std::uint16_t U16(std::string_view what) {
    unsigned char b[2];
    Raw(b, 2, what);
    return U16At(b);
  }

  std::int32_t I32(std::string_view what) {
    unsigned char b[4];
    Raw(b, 4, what);
    return I32At(b);
  }

  float F32(std::string_view what) {
    unsigned char b[4];
    Raw(b, 4, what);
    return F32At(b);
  }

  // A char[32] field: the text up to the first NUL. A field without a NUL is kept
  // whole rather than cut, so that nothing of the name is lost.
  std::string Name(std::string_view what) {
    unsigned char field[kNameSize];
    Raw(field, kNameSize, what);
    return NameAt(field);
  }

  // One field of a record of fixed size: its size in bytes and its name in errors.
  struct Field {
    std::uint64_t size;
    std::string_view what;
  };

  // The fields of a record, one after another into `out`: at once when the file
  // has them all (a model holds tens of thousands of joints and comments), else one
  // by one, so that an error names the field the file ends in.
  template <std::size_t kCount>
  void Fields(unsigned char* out, const Field (&fields)[kCount]) {
    std::uint64_t size = 0;
    for (const Field& field : fields) {
      size += field.size;
    }
    if (size <= source_.Remaining()) {
      source_.Read(out, static_cast<std::size_t>(size));
      return;
    }
    for (const Field& field : fields) {
      Raw(out, static_cast<std::size_t>(field.size), field.what);
      out += field.size;
    }
  }

  static std::string NameAt(const unsigned char* field) { return TextAt(field, kNameSize); }
  // A fixed text field of `size` bytes, up to its first NUL.
  static std::string TextAt(const unsigned char* field, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, size));
  }
  static std::uint16_t U16At(const unsigned char* b) {
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  static std::int32_t I32At(const unsigned char* b) {
    return static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                                     std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24);
  }

  static float F32At(const unsigned char* b) {
    const std::uint32_t bits = static_cast<std::uint32_t>(I32At(b));
    float value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // `length` bytes of text; `what` names the text in an error.
  std::string Text(std::uint64_t length, std::string_view what) {
    if (length > source_.Remaining()) {
      Shortfall(std::string(what) + " of length " + std::to_string(length), length, "");
    }
    std::string text;
    source_.ReadAppend(text, static_cast<std::size_t>(length));
    return text;
  }

  // A comment's `length` bytes into `out`, as the source hands them out.
  void Comment(CommentText& out, std::uint64_t length, std::string_view what) {
    if (length > source_.Remaining()) {
      Shortfall(std::string(what) + " of length " + std::to_string(length), length, "");
    }
    source_.ReadComment(out, static_cast<std::size_t>(length));
  }

  void EndOfComments() { source_.EndOfComments(); }

 private:
  struct Item {
    std::string_view kind;
    std::uint64_t index = 0;
    std::uint64_t count = 0;
    std::uint64_t start = 0;
  };

  static std::string CountOf(std::string_view itemName, std::uint64_t count) {
    return std::string(itemName) + " count " + std::to_string(count);
  }

  // The file ends before `bytes` more bytes: either it was cut short, or what was
  // read so far was no model file's layout. The plain line says so by where the
  // file ends and how far it would have to go at least.
  [[noreturn]] void Shortfall(const std::string& what, std::uint64_t bytes,
                              const char* bound) const {
    const std::uint64_t end = source_.Offset() + source_.Remaining();
    std::string plainLine = std::string(displayName_) + ": the file ends inside the " +
                            std::string(section_) + " (byte " + std::to_string(end) + " of " +
                            bound + std::to_string(source_.Offset() + bytes) +
                            "): it is cut short or not a model file";
    Fail(what + " needs " + bound + std::to_string(bytes) + " bytes, " +
             std::to_string(source_.Remaining()) + " remain",
         std::move(plainLine));
  }

  void Raw(void* out, std::size_t bytes, std::string_view what) {
    Need(bytes, what);
    source_.Read(out, bytes);
  }

  ByteSource& source_;
  std::string_view displayName_;
  std::string_view section_;
  std::uint64_t sectionStart_ = 0;
  Item item_;
};

// The fixed part of a joint record, field by field (kJointFixedSize bytes in all):
// the flags, the name, the parent name and rest pose, and the two key counts.
inline constexpr FieldReader::Field kJointFixedFields[] = {
    {1, "the flags"},
    {kNameSize, "the name"},
    {kNameSize + 24, "the parent name and rest pose"},
    {2, "the rotation key count"},
    {2, "the position key count"}};

inline void ReadHeader(FieldReader& in) {
  in.EnterSection("header");
  if (in.Remaining() == 0) {
    in.FailWhole("the file is empty (0 bytes); a model file begins with a 14-byte header");
  }
  in.Need(kHeaderSize, "a model file header");
  std::string magic = in.Text(10, "the identifier");  // checked above: never short
  if (magic != kMagic) {
    in.Fail("not a model file: it does not begin with \"MS3D000000\"");
  }
  std::int32_t version = in.I32("the version");
  if (version != kVersion) {
    in.Fail("version " + std::to_string(version) + " (at byte 10); only version 4 can be read");
  }
}

}  // namespace quorvel::host::ms3d_fields
