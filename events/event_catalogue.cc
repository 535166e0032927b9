#include "events/event_catalogue.h"

#include <utility>

namespace quorvel {
namespace {

struct Row {
  const char* name;
  ValueKind valueKind;
  const char* hint;
};

// The sequence as a whole: camera work, fades, music, speech and sound.
constexpr Row kModelLevelRows[] = {
    {"cameraCut", ObjectName, "camera"},
    {"cameraBlendIn", RawParameters, ""},
    {"cameraFadeIn", RawParameters, ""},
    {"cameraLeave", NoValue, ""},
    {"focus", NoValue, ""},
    {"displayCard", RawParameters, ""},
    {"fadeSet", Number, ""},
    {"fadeTo", RawParameters, ""},
    {"musicStart", FilePath, "\\data\\sound\\music\\nis\\"},
    {"musicStop", Number, ""},
    {"musicStartAtEnd", FilePath, "\\data\\sound\\music\\"},
    {"musicStartFade", RawParameters, ""},
    {"musicVolume", Number, ""},
    {"speechVolume", Number, ""},
    {"speechSetDir", QuotedText, ""},
    {"wideScreenIn", Number, ""},
    {"wideScreenOut", Number, ""},
    {"nisOut", Number, ""},
    {"navlightSpeed", Number, ""},
    {"soundEvent", FilePath, "\\data\\sound\\sfx\\"},
    {"speechEvent", RawParameters, ""},
    {"SFXVolume", Number, ""},
    {"runScar", QuotedText, ""},
    {"stayFadedAtEnd", NoValue, ""},
};

// One joint, follower or camera: ship behaviour, effects and engine power.
constexpr Row kJointLevelRows[] = {
    {"attack", ObjectName, "ship"},
    {"death", QuotedText, ""},
    {"haltAttack", NoValue, ""},
    {"hyperspaceIn", NoValue, ""},
    {"hyperspaceOut", NoValue, ""},
    {"setInHyperspace", NoValue, ""},
    {"hide", NoValue, ""},
    {"show", NoValue, ""},
    {"invincible", NoValue, ""},
    {"vincible", NoValue, ""},
    {"engineSoundVolume", Number, ""},
    {"ambientSoundVolume", Number, ""},
    {"navlightPower", Number, ""},
    {"startEffectEvent", QuotedText, ""},
    {"health", Number, ""},
    {"fire", NoValue, ""},
    {"setEnginePower", Number, ""},
    {"setBridgePower", Number, ""},
    {"triggerEffect", Number, ""},
    {"destroyEffect", NoValue, ""},
    {"meshAnimStart", QuotedText, ""},
    {"setPlayer", Number, ""},
    {"remainAtEnd", QuotedText, ""},
    {"keepMovingAtEnd", QuotedText, ""},
    {"focusAtEnd", NoValue, ""},
    {"setMADState", QuotedText, ""},
    {"setResourceValue", Number, ""},
    {"lockLOD", Number, ""},
};

}  // namespace

void AddEventType(EventCatalogue& catalogue, std::string name, int32_t valueKind, bool modelLevel,
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
