#include "plugin/attributes/attribute_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

namespace quorvel {
namespace {

constexpr double kTwoTo31 = 2147483648.0;
constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

// Past this every exponent already takes any mantissa beyond the double range
// (mantissas lie between about 1e-324 and 1e308), so the value is kept from
// growing further without changing any result.
constexpr int kExponentCap = 100000;

// Appends the exact decimal digits of a whole, non-negative, finite number.
void AppendWholeDigits(double whole, std::string& out) {
  char buffer[400];  // the largest double has 309 digits
  std::to_chars_result result;
  if (whole < kTwoTo64) {
    result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<uint64_t>(whole));
  } else {
    // Precision 0 prints the exact value, not the shortest text that reads back.
    result = std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
  }
  out.append(buffer, result.ptr);
}

// Appends the first `places` digits after the point of the exact decimal expansion
// of `fraction` (0 < fraction < 1), cut rather than rounded.
void AppendFractionDigits(double fraction, int places, std::string& out) {
  // A fraction above 0.0001 is a multiple of 2^-67 or coarser, so its exact
  // expansion ends within 67 places; asking for more makes the printer exact,
  // and cutting that text never rounds.
  constexpr int kExactPlaces = 80;
  char buffer[kExactPlaces + 8];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, fraction, std::chars_format::fixed,
                              kExactPlaces);
  const char* digits = std::find(buffer, result.ptr, '.');
  if (digits == result.ptr) {
    return;
  }
  ++digits;
  const auto available = static_cast<int>(result.ptr - digits);
  const int count = std::min(places, available);
  out.append(digits, static_cast<size_t>(count));
  out.append(static_cast<size_t>(places - count), '0');
}

}  // namespace

std::string ValueAfterKey(std::string_view text, size_t keyEnd) {
  std::string value;
  ValueAfterKey(text, keyEnd, value);
  return value;
}

void ValueAfterKey(std::string_view text, size_t keyEnd, std::string& out) {
  out.clear();
  // The separator may be the LF that the reader treats as closing the last line.
  std::string_view raw = RawValueAfterKey(text, keyEnd);
  out.reserve(raw.size());
  for (size_t cr; (cr = raw.find('\r')) != std::string_view::npos; raw.remove_prefix(cr + 1)) {
    out.append(raw.substr(0, cr));
  }
  out.append(raw);
}

std::string_view RawValueAfterKey(std::string_view text, size_t keyEnd) {
  if (keyEnd >= text.size() || text[keyEnd] == '\n') {
    return {};
  }
  const size_t begin = keyEnd + 1;
  const size_t end = text.find('\n', begin);
  return text.substr(begin, end == std::string_view::npos ? text.size() - begin : end - begin);
}

std::string_view RawLookUp(std::string_view text, std::string_view key) {
  const size_t match = text.find(key);
  return match == std::string_view::npos ? std::string_view()
                                         : RawValueAfterKey(text, match + key.size());
}

std::string LookUpAttribute(std::string_view text, std::string_view key) {
  std::string value;
  LookUpAttribute(text, key, value);
  return value;
}

void LookUpAttribute(std::string_view text, std::string_view key, std::string& out) {
  // Reading as if one LF closed the text needs no copy: a match that would end on
  // that LF starts later than any match inside the text, and its value is empty
  // either way.
  const size_t match = text.find(key);
  if (match == std::string_view::npos) {
    out.clear();
    return;
  }
  ValueAfterKey(text, match + key.size(), out);
}

bool BeginsInside(std::string_view text, std::string_view other) {
  const std::less<const char*> before;
  return !other.empty() && !before(text.data(), other.data()) &&
         before(text.data(), other.data() + other.size());
}

void AppendAttribute(std::string& text, std::string_view key, std::string_view value) {
  const char* base = text.data();
  const bool aliased = [&] {
    std::less<const char*> before;
    auto inside = [&](std::string_view part) {
      return !part.empty() && !before(part.data(), base) && before(part.data(), base + text.size());
    };
    return inside(key) || inside(value);
  }();
  if (aliased) {
    // Growing the text would move the characters that key or value point to.
    const std::string keyCopy(key), valueCopy(value);
    AppendAttribute(text, keyCopy, valueCopy);
    return;
  }
  text.reserve(text.size() + key.size() + value.size() + 3);
  text.append(key);
  text.push_back('=');
  text.append(value);
  text.append("\r\n");
}

std::string NumberToText(double value) {
  if (value == 0 || std::isnan(value)) {
    return "0";
  }
  if (std::isinf(value)) {
    value = std::copysign(std::numeric_limits<double>::max(), value);
  }
  const double whole = std::trunc(value);
  std::string text;
  if (value < 0) {
    // Stored numbers carry no sign: only the digits of the whole part are kept.
    if (whole != 0) {
      AppendWholeDigits(-whole, text);
    }
    return text;
  }
  if (whole != 0) {
    AppendWholeDigits(whole, text);
  }
  const double fraction = value - whole;
  if (!(fraction > 0.0001)) {
    return text;
  }
  int places = 1;
  for (double scaled = value * 10; scaled != std::trunc(scaled) && scaled < kTwoTo31;
       scaled *= 10) {
    ++places;
  }
  text.push_back('.');
  AppendFractionDigits(fraction, places + 1, text);
  return text;
}

double TextToNumber(std::string_view text) {
  double mantissa = 0;
  double scale = 1;
  int exponent = 0;
  bool point = false;
  bool inExponent = false;
  bool negativeExponent = false;
  for (const char c : text) {
    if (c == '.' || c == ',') {
      point = true;
    } else if (c >= '0' && c <= '9') {
      const int digit = c - '0';
      if (inExponent) {
        exponent = std::min(exponent * 10 + digit, kExponentCap);
      } else if (point) {
        scale = scale * 0.1;
        mantissa = mantissa + digit * scale;
      } else {
        mantissa = mantissa * 10.0 + digit;
      }
    } else if (c == 'E' || c == 'e') {
      inExponent = true;
    } else if (c == '-' && inExponent) {
      negativeExponent = !negativeExponent;
    } else if (c == '+' && inExponent) {
      negativeExponent = false;
    } else {
      break;
    }
  }
  constexpr double kLargest = std::numeric_limits<double>::max();
  mantissa = std::min(mantissa, kLargest);  // a run of several hundred digits
  double result = mantissa;
  if (exponent != 0) {
    result = mantissa * std::pow(10.0, negativeExponent ? -exponent : exponent);
  }
  if (std::isnan(result)) {
    return 0;  // zero times an infinite power: no meaningful value
  }
  return std::min(result, kLargest);
}

uint32_t TruncateToUInt32(double value) {
  if (!(value > 0)) {
    return 0;
  }
  if (value >= kTwoTo32) {
    return std::numeric_limits<uint32_t>::max();
  }
  return static_cast<uint32_t>(value);
}

uint32_t LowBits32(double value) {
  if (!std::isfinite(value)) {
    return 0;
  }
  // fmod is exact, so this is the remainder of the exact whole number.
  double low = std::fmod(std::trunc(value), kTwoTo32);
  if (low < 0) {
    low += kTwoTo32;
  }
  return static_cast<uint32_t>(low);
}

int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return std::numeric_limits<int32_t>::max();
  }
  if (value <= -kTwoTo31) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}

}  // namespace quorvel
