#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// The key/value text of one host comment: lines of key, "=", value, "\r\n".
using AttributeText = std::string;

// The value stored under `key`, or empty text when the key does not occur.
// The first occurrence of the key anywhere in the text wins (also inside another
// line's value); the one character after it is skipped unchecked as the separator,
// and the value runs to the next LF with every CR removed. A text whose last line
// lacks its line end reads as if it had one.
std::string LookUpAttribute(std::string_view text, std::string_view key);

// The value of a key whose match ends at `keyEnd` in `text`: the character at
// `keyEnd` is the separator, the value runs from the one after it to the next LF,
// and every CR is removed. Empty when the separator is an LF or lies past the end.
// LookUpAttribute is this applied to the first match; callers that find keys
// their own way use it to read values by the same rules.
std::string ValueAfterKey(std::string_view text, size_t keyEnd);
// The same into `out`, whose room is reused: loading many records one after another
// into the same strings allocates only for values longer than before. `text` must
// not view `out`.
void ValueAfterKey(std::string_view text, size_t keyEnd, std::string& out);
// LookUpAttribute into `out` the same way.
void LookUpAttribute(std::string_view text, std::string_view key, std::string& out);

// The bytes the value of ValueAfterKey(text, keyEnd) is made of, viewed where they
// stand: every CR still in them (ValueAfterKey removes them). Empty in the same
// cases, also for keyEnd npos. For writers that copy values straight out of a
// comment instead of into a string first.
std::string_view RawValueAfterKey(std::string_view text, size_t keyEnd);
// RawValueAfterKey for the first match of `key`, as LookUpAttribute finds it.
std::string_view RawLookUp(std::string_view text, std::string_view key);

// Whether `text` begins inside the characters of `other`.
bool BeginsInside(std::string_view text, std::string_view other);

// Appends key, "=", value, "\r\n". Nothing is checked or escaped.
void AppendAttribute(std::string& text, std::string_view key, std::string_view value);

// The number text form: no sign, no exponent, no leading zero before ".".
// Whole numbers are written as their exact decimal digits, also beyond 2^31.
// A fraction above 0.0001 is written as its first places, cut rather than rounded,
// with one place more than were needed to reach a whole number (0.5 gives ".50").
// NaN and zero give "0". A negative value gives the digits of the magnitude of its
// whole part and no fraction ("" for -0.5): stored numbers are never negative, and
// the game's reader has no sign. Infinity is written as the largest finite double.
std::string NumberToText(double value);

// Reads the leading number of `text`; characters after it are ignored. "." and ","
// are decimal points, "e"/"E" starts an exponent that may carry "+"/"-". A leading
// sign or blank gives 0. The result is always finite: a value beyond the double
// range saturates to the largest finite double, and a result without meaning
// ("0e400") gives 0.
double TextToNumber(std::string_view text);

// Safe whole-number conversions; use these instead of casts (a cast of a negative,
// huge, infinite or NaN double to an integer type is undefined behaviour).

// Truncates toward zero into [0, 4294967295]: negatives and NaN give 0, values of
// 2^32 or more give 4294967295. Used wherever a number is "taken as an unsigned
// 32-bit number" (frame rate, event count).
uint32_t TruncateToUInt32(double value);

// Truncates toward zero and keeps the low 32 bits of the exact whole number, as
// unsigned arithmetic would (4294967296 gives 0, 4294967297 gives 1, -1 gives
// 4294967295). NaN and infinities give 0.
uint32_t LowBits32(double value);

// Truncates toward zero into [INT32_MIN, INT32_MAX], saturating at both ends;
// NaN gives 0.
int32_t TruncateToInt32(double value);

}  // namespace quorvel
