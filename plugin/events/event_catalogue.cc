#include "plugin/events/event_catalogue.h"

#include <span>
#include <utility>

namespace quorvel {
namespace {

using enum ValueKind;

struct Row {
  const char* name;
  ValueKind valueKind;
  const char* hint;
  EventCategory category;
};

// The sequence as a whole: camera work, fades, music, speech and sound.
constexpr Row kModelLevelRows[] = {
    {"cameraCut", kObjectName, "camera", EventCategory::kCamera},
    {"cameraBlendIn", kRawParameters, "", EventCategory::kCamera},
    {"cameraFadeIn", kRawParameters, "", EventCategory::kCamera},
    {"cameraLeave", kNoValue, "", EventCategory::kCamera},
    {"focus", kNoValue, "", EventCategory::kCamera},
    {"displayCard", kRawParameters, "", EventCategory::kScreen},
    {"fadeSet", kNumber, "", EventCategory::kScreen},
    {"fadeTo", kRawParameters, "", EventCategory::kScreen},
    {"musicStart", kFilePath, "\\data\\sound\\music\\nis\\", EventCategory::kSound},
    {"musicStop", kNumber, "", EventCategory::kSound},
    {"musicStartAtEnd", kFilePath, "\\data\\sound\\music\\", EventCategory::kSound},
    {"musicStartFade", kRawParameters, "", EventCategory::kSound},
    {"musicVolume", kNumber, "", EventCategory::kSound},
    {"speechVolume", kNumber, "", EventCategory::kSound},
    {"speechSetDir", kQuotedText, "", EventCategory::kSound},
    {"wideScreenIn", kNumber, "", EventCategory::kScreen},
    {"wideScreenOut", kNumber, "", EventCategory::kScreen},
    {"nisOut", kNumber, "", EventCategory::kScreen},
    {"navlightSpeed", kNumber, "", EventCategory::kEffect},
    {"soundEvent", kFilePath, "\\data\\sound\\sfx\\", EventCategory::kSound},
    {"speechEvent", kRawParameters, "", EventCategory::kSound},
    {"SFXVolume", kNumber, "", EventCategory::kSound},
    {"runScar", kQuotedText, "", EventCategory::kScreen},
    {"stayFadedAtEnd", kNoValue, "", EventCategory::kScreen},
};

// One joint, follower or camera: ship behaviour, effects and engine power.
constexpr Row kJointLevelRows[] = {
    {"attack", kObjectName, "ship", EventCategory::kShip},
    {"death", kQuotedText, "", EventCategory::kShip},
    {"haltAttack", kNoValue, "", EventCategory::kShip},
    {"hyperspaceIn", kNoValue, "", EventCategory::kShip},
    {"hyperspaceOut", kNoValue, "", EventCategory::kShip},
    {"setInHyperspace", kNoValue, "", EventCategory::kShip},
    {"hide", kNoValue, "", EventCategory::kShip},
    {"show", kNoValue, "", EventCategory::kShip},
    {"invincible", kNoValue, "", EventCategory::kShip},
    {"vincible", kNoValue, "", EventCategory::kShip},
    {"engineSoundVolume", kNumber, "", EventCategory::kSound},
    {"ambientSoundVolume", kNumber, "", EventCategory::kSound},
    {"navlightPower", kNumber, "", EventCategory::kEffect},
    {"startEffectEvent", kQuotedText, "", EventCategory::kEffect},
    {"health", kNumber, "", EventCategory::kShip},
    {"fire", kNoValue, "", EventCategory::kShip},
    {"setEnginePower", kNumber, "", EventCategory::kShip},
    {"setBridgePower", kNumber, "", EventCategory::kShip},
    {"triggerEffect", kNumber, "", EventCategory::kEffect},
    {"destroyEffect", kNoValue, "", EventCategory::kEffect},
    {"meshAnimStart", kQuotedText, "", EventCategory::kEffect},
    {"setPlayer", kNumber, "", EventCategory::kShip},
    {"remainAtEnd", kQuotedText, "", EventCategory::kShip},
    {"keepMovingAtEnd", kQuotedText, "", EventCategory::kShip},
    {"focusAtEnd", kNoValue, "", EventCategory::kCamera},
    {"setMADState", kQuotedText, "", EventCategory::kShip},
    {"setResourceValue", kNumber, "", EventCategory::kShip},
    {"lockLOD", kNumber, "", EventCategory::kEffect},
};

}  // namespace

void AddEventType(EventCatalogue& catalogue, std::string name, ValueKind valueKind, bool modelLevel,
                  std::string hint) {
  catalogue.push_back(EventTypeEntry{std::move(name), std::move(hint), modelLevel, valueKind});
}

EventCategory CategoryOfEvent(std::string_view name) {
  for (const auto& rows :
       {std::span<const Row>(kModelLevelRows), std::span<const Row>(kJointLevelRows)}) {
    for (const Row& row : rows) {
      if (row.name == name) {
        return row.category;
      }
    }
  }
  return EventCategory::kUnknown;
}

std::string_view CategoryName(EventCategory category) {
  switch (category) {
    case EventCategory::kCamera:
      return "camera";
    case EventCategory::kScreen:
      return "screen";
    case EventCategory::kSound:
      return "sound";
    case EventCategory::kShip:
      return "ship";
    case EventCategory::kEffect:
      return "effect";
    case EventCategory::kUnknown:
      break;
  }
  return "unknown";
}

void BuildCatalogue(EventCatalogue& catalogue, bool modelLevel) {
  auto append = [&](const auto& rows) {
    catalogue.reserve(catalogue.size() + std::size(rows));
    for (const Row& row : rows) {
      AddEventType(catalogue, row.name, row.valueKind, modelLevel, row.hint);
    }
  };
  if (modelLevel) {
    append(kModelLevelRows);
  } else {
    append(kJointLevelRows);
  }
}

}  // namespace quorvel
