#include "framework/core/ddx_conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quorvel::ui {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos]))
    ++pos;
  return pos;
}

size_t SkipDigits(std::string_view text, size_t pos) {
  while (pos < text.size() && IsDigit(text[pos]))
    ++pos;
  return pos;
}

}  // namespace

std::optional<uint32_t> ParseUnsignedText(std::string_view text) {
  const size_t first = SkipBlanks(text, 0);
  if (first < text.size() && text[first] == '-')
    return std::nullopt;
  // Digits from the first non-blank on; a number beyond 32 bits stays at the largest
  // value. A sign is not a digit, so "+5" reads nothing and fails.
  size_t pos = first;
  const size_t digits = pos;
  uint64_t value = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
    if (value > std::numeric_limits<uint32_t>::max())
      value = std::numeric_limits<uint32_t>::max() + uint64_t{1};
    ++pos;
  }
  // Without digits nothing was read, and the rest starts where the text did.
  const size_t end = pos == digits ? first : pos;
  if (value > std::numeric_limits<uint32_t>::max())
    value = std::numeric_limits<uint32_t>::max();
  // A zero counts only when it was written as one.
  if (value == 0 && (first >= text.size() || text[first] != '0'))
    return std::nullopt;
  if (SkipBlanks(text, end) != text.size())
    return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::optional<float> ParseFloatText(std::string_view text) {
  const size_t begin = SkipBlanks(text, 0);
  size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  const std::string_view number = text.substr(begin, end - begin);

  // A decimal number only: sign, digits with an optional point, optional exponent.
  // (No hexadecimal, infinity or not-a-number, which a general reader would take.)
  size_t pos = 0;
  if (pos < number.size() && (number[pos] == '+' || number[pos] == '-'))
    ++pos;
  const size_t mantissa = pos;
  pos = SkipDigits(number, pos);
  const std::string_view whole = number.substr(mantissa, pos - mantissa);
  std::string_view fraction;
  if (pos < number.size() && number[pos] == '.') {
    const size_t first = pos + 1;
    pos = SkipDigits(number, first);
    fraction = number.substr(first, pos - first);
  }
  if (whole.empty() && fraction.empty())
    return std::nullopt;
  long exponentValue = 0;  // saturates far beyond any double
  if (pos < number.size() && (number[pos] == 'e' || number[pos] == 'E')) {
    size_t exponent = pos + 1;
    bool negativeExponent = false;
    if (exponent < number.size() && (number[exponent] == '+' || number[exponent] == '-')) {
      negativeExponent = number[exponent] == '-';
      ++exponent;
    }
    const size_t exponentEnd = SkipDigits(number, exponent);
    if (exponentEnd == exponent)
      return std::nullopt;
    for (size_t i = exponent; i < exponentEnd; ++i)
      exponentValue = std::min(exponentValue * 10 + (number[i] - '0'), 1000000L);
    if (negativeExponent)
      exponentValue = -exponentValue;
    pos = exponentEnd;
  }
  if (pos != number.size())
    return std::nullopt;

  // from_chars reads independently of the process locale but takes no plus sign.
  const std::string_view digits = number[0] == '+' ? number.substr(1) : number;
  double value = 0;
  const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small to represent reads as zero; too large is no usable number. Which of
    // the two: the power of ten of the first significant digit.
    const size_t wholeZeros = std::min(whole.find_first_not_of('0'), whole.size());
    const size_t fractionZeros = std::min(fraction.find_first_not_of('0'), fraction.size());
    const long firstDigitPower = wholeZeros < whole.size()
                                     ? static_cast<long>(whole.size() - wholeZeros) - 1
                                     : -static_cast<long>(fractionZeros) - 1;
    if (firstDigitPower + exponentValue >= 0)
      return std::nullopt;
    value = number[0] == '-' ? -0.0 : 0.0;
  } else if (error != std::errc() || ptr != digits.data() + digits.size()) {
    return std::nullopt;
  }
  const float narrowed = static_cast<float>(value);
  if (!std::isfinite(narrowed))
    return std::nullopt;
  return narrowed;
}

std::string FormatUnsignedText(uint32_t value) {
  return std::to_string(value);
}

std::string FormatFloatText(float value) {
  // %.6g without the locale, given more digits only where six do not read back as
  // the same float, so that a field taken back untouched keeps its value. Nine
  // significant digits always identify a float.
  constexpr int kShownDigits = 6;
  constexpr int kExactDigits = 9;
  char buffer[64];
  for (int digits = kShownDigits;; ++digits) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, digits);
    std::string text(buffer, result.ptr);
    const std::optional<float> back = ParseFloatText(text);
    if (digits >= kExactDigits || (back && *back == value))
      return text;
  }
}

std::string RangeRefusedMessage(uint32_t minValue, uint32_t maxValue) {
  return "Please enter an integer between " + std::to_string(minValue) + " and " +
         std::to_string(maxValue) + ".";
}

}  // namespace quorvel::ui
