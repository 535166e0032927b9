#pragma once

#include <string_view>

// The keys of the attribute records, in the one spelling that the records, the
// joints' kinds, the checks and the show writer all read and write.
namespace quorvel {

// The model's record: its frame rate.
inline constexpr std::string_view kFrameRateKey = "OPT_FPS";
// A follower's record: its type and name.
inline constexpr std::string_view kSobTypeKey = "Sob Type";
inline constexpr std::string_view kSobNameKey = "Sob Name";
// A camera's record: the joint it looks at.
inline constexpr std::string_view kCenterOfInterestKey = "Center Of Interest";
// Every record's event block: how many events it counts.
inline constexpr std::string_view kEventCountKey = "Num Events";
// The keys of the event block are found where "Event" and a digit stand: "Event"
// and the digits "123" are the keys "Event1", "Event12" and "Event123" (an index is
// written without leading zeros, so "Event0" is only ever "Event0").
inline constexpr std::string_view kEventKeyWord = "Event";

}  // namespace quorvel
