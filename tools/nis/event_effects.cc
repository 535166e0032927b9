#include "tools/nis/event_effects.h"

#include <string>
#include <unordered_map>

namespace quorvel::nis {
namespace {

using enum Effect;

// What the preview makes of each event. Camera work other than a cut, music, sound,
// speech settings, effects and ship behaviour are not drawn: they are named in the
// ticker at their frame.
constexpr EventEffect kEffects[] = {
    // The model's list.
    {"cameraCut", true, kCameraCut},
    {"cameraBlendIn", true, kTicker},
    {"cameraFadeIn", true, kCameraFadeIn},
    {"cameraLeave", true, kTicker},
    {"focus", true, kTicker},
    {"displayCard", true, kCaption},
    {"fadeSet", true, kFadeSet},
    {"fadeTo", true, kFadeTo},
    {"musicStart", true, kTicker},
    {"musicStop", true, kTicker},
    {"musicStartAtEnd", true, kTicker},
    {"musicStartFade", true, kTicker},
    {"musicVolume", true, kTicker},
    {"speechVolume", true, kTicker},
    {"speechSetDir", true, kTicker},
    {"wideScreenIn", true, kWideScreenIn},
    {"wideScreenOut", true, kWideScreenOut},
    {"nisOut", true, kTicker},
    {"navlightSpeed", true, kTicker},
    {"soundEvent", true, kTicker},
    {"speechEvent", true, kCaption},
    {"SFXVolume", true, kTicker},
    {"runScar", true, kTicker},
    {"stayFadedAtEnd", true, kStayFadedAtEnd},
    // A joint's list, follower or camera.
    {"attack", false, kTicker},
    {"death", false, kHide},
    {"haltAttack", false, kTicker},
    {"hyperspaceIn", false, kHide},
    {"hyperspaceOut", false, kShow},
    {"setInHyperspace", false, kHide},
    {"hide", false, kHide},
    {"show", false, kShow},
    {"invincible", false, kTicker},
    {"vincible", false, kTicker},
    {"engineSoundVolume", false, kTicker},
    {"ambientSoundVolume", false, kTicker},
    {"navlightPower", false, kTicker},
    {"startEffectEvent", false, kTicker},
    {"health", false, kTicker},
    {"fire", false, kTicker},
    {"setEnginePower", false, kTicker},
    {"setBridgePower", false, kTicker},
    {"triggerEffect", false, kTicker},
    {"destroyEffect", false, kTicker},
    {"meshAnimStart", false, kTicker},
    {"setPlayer", false, kTicker},
    {"remainAtEnd", false, kTicker},
    {"keepMovingAtEnd", false, kTicker},
    {"focusAtEnd", false, kTicker},
    {"setMADState", false, kTicker},
    {"setResourceValue", false, kTicker},
    {"lockLOD", false, kTicker},
};

}  // namespace

std::span<const EventEffect> EventEffects() {
  return kEffects;
}

Effect EffectOf(std::string_view name, bool modelLevel) {
  // The two sets share no name. Looked up by hash: a model's lists may hold millions
  // of events.
  static const std::unordered_map<std::string_view, const EventEffect*> kByName = [] {
    std::unordered_map<std::string_view, const EventEffect*> byName;
    for (const EventEffect& row : kEffects) {
      byName.emplace(row.name, &row);
    }
    return byName;
  }();
  const auto row = kByName.find(name);
  return row != kByName.end() && row->second->modelLevel == modelLevel ? row->second->effect
                                                                       : kNone;
}

}  // namespace quorvel::nis
