#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel::app {

// The value writers' step where SSE2 is at hand: a window of 32 bytes and masks of
// its bytes, one bit each, so that the places of what is written come from the masks
// alone instead of from each byte.
#if defined(__SSE2__)

inline constexpr std::ptrdiff_t kValueWindow = 32;

// With the window's 32 bytes at `from` already copied to `to`: leaves out each byte
// that `marks` marks, or, where `escaped` marks it too, writes a backslash before it.
// The bytes after each mark move by one place. Needs 64 bytes at `from` and room for
// 96 at `to`; returns how far the bytes after the last mark moved (marks left out
// count -1, escapes +1).
inline std::ptrdiff_t PlaceMarks(char* to, const char* from, std::uint32_t marks,
                                 std::uint32_t escaped) {
  std::ptrdiff_t shift = 0;
  for (; marks != 0; marks &= marks - 1u) {
    const auto at = static_cast<std::ptrdiff_t>(std::countr_zero(marks));
    const auto backslash = static_cast<std::ptrdiff_t>((escaped >> at) & 1u);
    char* const place = to + at + shift;
    *place = '\\';  // overwritten by what follows a byte left out
    std::memcpy(place + backslash, from + at + 1 - backslash, kValueWindow);
    shift += 2 * backslash - 1;
  }
  return shift;
}

// What WriteUsualEventValue asks of each half of its window, one bit a byte: the LF,
// the bytes that make a value unusual, the marks to place, and of those the ones
// escaped. The masks are combined before they are taken from the vectors.
struct UsualValueMasks {
  std::uint32_t lf;
  std::uint32_t unusual;
  std::uint32_t marks;
  std::uint32_t escaped;
};

template <bool kJson>
inline UsualValueMasks UsualValueMasksOf(__m128i block) {
  const __m128i cr = _mm_cmpeq_epi8(block, _mm_set1_epi8('\r'));
  __m128i unusual = _mm_or_si128(_mm_andnot_si128(cr, _mm_cmplt_epi8(block, _mm_set1_epi8(0x20))),
                                 _mm_cmpeq_epi8(block, _mm_set1_epi8('E')));
  __m128i escaped = _mm_setzero_si128();
  if constexpr (kJson) {
    escaped = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                           _mm_cmpeq_epi8(block, _mm_set1_epi8('\\')));
  } else {
    unusual = _mm_or_si128(unusual, _mm_cmpeq_epi8(block, _mm_set1_epi8(0x7F)));
  }
  const auto mask = [](__m128i bytes) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(bytes));
  };
  return {mask(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))), mask(unusual),
          mask(_mm_or_si128(cr, escaped)), kJson ? mask(escaped) : 0u};
}
#endif

// The value of an event line as a record saves it, at `from` (the byte after the
// key's separator): ended by an LF within its first 31 bytes, and before it nothing
// but printable ASCII other than 'E' and CRs (DEL not counted as printable). Written
// as WriteJsonValueChars (kJson) or WriteTerminalValue write it, with `length` the
// place of the LF, and `to` moved past what was written; false, with nothing written
// that counts, for any other value, which the general writers take. Needs 64 bytes
// before `end` and room for 96 at `to`.
template <bool kJson>
inline bool WriteUsualEventValue(char*& to, const char* from, const char* end,
                                 std::size_t& length) {
#if defined(__SSE2__)
  if (end - from < 2 * kValueWindow) {
    return false;
  }
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
  const UsualValueMasks first = UsualValueMasksOf<kJson>(low);
  const UsualValueMasks second = UsualValueMasksOf<kJson>(high);
  const std::uint32_t lf = first.lf | second.lf << 16;
  if (lf == 0) {
    return false;
  }
  const auto limit = static_cast<std::size_t>(std::countr_zero(lf));
  const std::uint32_t before = (std::uint32_t{1} << limit) - 1u;
  if (((first.unusual | second.unusual << 16) & before) != 0) {
    return false;
  }
  std::uint32_t marks = (first.marks | second.marks << 16) & before;
  const std::uint32_t escaped = first.escaped | second.escaped << 16;
  // The CR that ends the line, just before the LF, needs no place: the value ends
  // one byte sooner.
  std::size_t written = limit;
  if (limit != 0 && ((marks & ~escaped) >> (limit - 1) & 1u) != 0) {
    marks &= ~(std::uint32_t{1} << (limit - 1));
    --written;
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), low);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), high);
  to += static_cast<std::ptrdiff_t>(written) + PlaceMarks(to, from, marks, escaped);
  length = limit;
  return true;
#else
  static_cast<void>(to);
  static_cast<void>(from);
  static_cast<void>(end);
  static_cast<void>(length);
  return false;
#endif
}

}  // namespace quorvel::app
