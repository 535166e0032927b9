#include "host/temporary_name.h"

#include <cstdint>

#include "host/content_hash.h"

namespace quorvel::host {
namespace {

constexpr char kTag[] = ".quorvel-save-";
constexpr std::size_t kHashDigits = 12;

bool HasPrefixAndRandomPart(const std::string& name, const std::string& prefix) {
  return name.size() == prefix.size() + kTemporaryRandomLength &&
         name.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string TemporaryNamePrefix(const std::string& baseName) {
  ContentHash hash;
  hash.Add(baseName.data(), baseName.size());
  std::uint64_t value = hash.Value();
  std::string digits(kHashDigits, '0');
  for (std::size_t i = kHashDigits; i-- > 0; value >>= 4) {
    digits[i] = "0123456789abcdef"[value & 0xF];
  }
  static_assert(sizeof kTag - 1 + kHashDigits + 1 + kTemporaryRandomLength == kTemporaryNameLength);
  return kTag + digits + "-";
}

bool IsTemporaryNameOf(const std::string& name, const std::string& baseName) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about
  // "." + std::string.
  std::string earlier = ".";
  earlier += baseName;
  earlier += kTag;
  return HasPrefixAndRandomPart(name, TemporaryNamePrefix(baseName)) ||
         HasPrefixAndRandomPart(name, earlier);
}

}  // namespace quorvel::host
