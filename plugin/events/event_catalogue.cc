#include "plugin/events/event_catalogue.h"

#include <utility>

namespace quorvel {
namespace {

using enum ValueKind;

struct Row {
  const char* name;
  ValueKind valueKind;
  const char* hint;
};

// The sequence as a whole: camera work, fades, music, speech and sound.
constexpr Row kModelLevelRows[] = {
    {"cameraCut", kObjectName, "camera"},
    {"cameraBlendIn", kRawParameters, ""},
    {"cameraFadeIn", kRawParameters, ""},
    {"cameraLeave", kNoValue, ""},
    {"focus", kNoValue, ""},
    {"displayCard", kRawParameters, ""},
    {"fadeSet", kNumber, ""},
    {"fadeTo", kRawParameters, ""},
    {"musicStart", kFilePath, "\\data\\sound\\music\\nis\\"},
    {"musicStop", kNumber, ""},
    {"musicStartAtEnd", kFilePath, "\\data\\sound\\music\\"},
    {"musicStartFade", kRawParameters, ""},
    {"musicVolume", kNumber, ""},
    {"speechVolume", kNumber, ""},
    {"speechSetDir", kQuotedText, ""},
    {"wideScreenIn", kNumber, ""},
    {"wideScreenOut", kNumber, ""},
    {"nisOut", kNumber, ""},
    {"navlightSpeed", kNumber, ""},
    {"soundEvent", kFilePath, "\\data\\sound\\sfx\\"},
    {"speechEvent", kRawParameters, ""},
    {"SFXVolume", kNumber, ""},
    {"runScar", kQuotedText, ""},
    {"stayFadedAtEnd", kNoValue, ""},
};

// One joint, follower or camera: ship behaviour, effects and engine power.
constexpr Row kJointLevelRows[] = {
    {"attack", kObjectName, "ship"},
    {"death", kQuotedText, ""},
    {"haltAttack", kNoValue, ""},
    {"hyperspaceIn", kNoValue, ""},
    {"hyperspaceOut", kNoValue, ""},
    {"setInHyperspace", kNoValue, ""},
    {"hide", kNoValue, ""},
    {"show", kNoValue, ""},
    {"invincible", kNoValue, ""},
    {"vincible", kNoValue, ""},
    {"engineSoundVolume", kNumber, ""},
    {"ambientSoundVolume", kNumber, ""},
    {"navlightPower", kNumber, ""},
    {"startEffectEvent", kQuotedText, ""},
    {"health", kNumber, ""},
    {"fire", kNoValue, ""},
    {"setEnginePower", kNumber, ""},
    {"setBridgePower", kNumber, ""},
    {"triggerEffect", kNumber, ""},
    {"destroyEffect", kNoValue, ""},
    {"meshAnimStart", kQuotedText, ""},
    {"setPlayer", kNumber, ""},
    {"remainAtEnd", kQuotedText, ""},
    {"keepMovingAtEnd", kQuotedText, ""},
    {"focusAtEnd", kNoValue, ""},
    {"setMADState", kQuotedText, ""},
    {"setResourceValue", kNumber, ""},
    {"lockLOD", kNumber, ""},
};

}  // namespace

void AddEventType(EventCatalogue& catalogue, std::string name, ValueKind valueKind, bool modelLevel,
                  std::string hint) {
  catalogue.push_back(EventTypeEntry{std::move(name), std::move(hint), modelLevel, valueKind});
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
