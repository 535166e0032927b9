// The text conversions and messages of data exchange, on their own so that both the
// exchange and its tests use exactly one copy of each rule (see data_exchange.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::ui {

// The unsigned rule; nullopt when the text is refused.
std::optional<uint32_t> ParseUnsignedText(std::string_view text);
// The float rule; nullopt when the text is refused.
std::optional<float> ParseFloatText(std::string_view text);
std::string FormatUnsignedText(uint32_t value);
// %.6g, independent of the process locale, with more digits where those six would
// not read back as the same float: the shortest such text.
std::string FormatFloatText(float value);

inline constexpr std::string_view kUnsignedRefusedMessage = "Please enter a positive integer.";
inline constexpr std::string_view kFloatRefusedMessage = "Please enter a number.";
// "Please enter an integer between MIN and MAX."
std::string RangeRefusedMessage(uint32_t minValue, uint32_t maxValue);

}  // namespace quorvel::ui
