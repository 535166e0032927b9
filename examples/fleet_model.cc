#include "examples/fleet_model.h"

#include <cstdint>
#include <vector>

#include "examples/shapes.h"

namespace quorvel::examples {
namespace {

// The joints that carry geometry or move, by their place in the list below.
constexpr std::int8_t kCamMain = 1;
constexpr std::int8_t kCamChase = 2;
constexpr std::int8_t kCamWide = 3;
constexpr std::int8_t kFighter1 = 4;
constexpr std::int8_t kMothership = 5;
constexpr std::int8_t kFighter2 = 6;
constexpr std::int8_t kAsteroid1 = 7;
constexpr std::int8_t kSalvage1 = 9;

}  // namespace

ModelFile FleetModel() {
  ModelFile model;
  // The ships and the rock, each a group of its own bound to its joint, where that
  // joint stands at rest.
  model.materials = {{"HullPaint", {0.55f, 0.6f, 0.7f, 1.0f}, "hull.tga", ""},
                     {"FighterRed", {0.85f, 0.2f, 0.15f, 1.0f}, "", ""},
                     {"FighterGold", {0.9f, 0.7f, 0.2f, 1.0f}, "", ""},
                     {"Rock", {0.45f, 0.38f, 0.3f, 1.0f}, "", ""},
                     {"SalvageGreen", {0.3f, 0.75f, 0.35f, 1.0f}, "", ""}};
  AddBox(model, "Hull", 0, kMothership, {0, 0, 20}, {6, 4, 26});
  AddBox(model, "Bridge", 0, kMothership, {0, 3, 12}, {2, 2, 4});
  AddWedge(model, "Fighter1", 1, kFighter1, {-8, 0, 0}, {3, 1.2f, 5});
  AddWedge(model, "Fighter2", 2, kFighter2, {8, 0, 0}, {3, 1.2f, 5});
  AddRock(model, "Asteroid", 3, kAsteroid1, {30, -5, 50}, 6);
  AddBox(model, "Salvage", 4, kSalvage1, {-20, 0, 30}, {2, 2, 2});
  model.framesPerSecond = 30;
  model.totalFrames = 300;

  model.comment =
      "OPT_FPS=30\r\n"
      "Num Events=3\r\n"
      "Event0=0|fadeSet|1\r\n"
      "Event1=0|cameraCut|\"CAM_Main\"\r\n"
      "Event2=30|wideScreenIn|.50\r\n";

  model.joints = {
      {"ZU2_Root", "", 0, {0, 0, 0}, ""},
      {"CAM_Main",
       "ZU2_Root",
       1,
       {0, 10, -40},
       "Center Of Interest=Mothership\r\nNum Events=1\r\nEvent0=120|hyperspaceIn|\r\n"},
      {"CAM_Chase", "ZU2_Root", 1, {0, 2, -12}, ""},
      {"CAM_Wide", "ZU2_Root", 1, {60, 30, 0}, "Center Of Interest=Fighter1\r\nNum Events=0\r\n"},
      {"Fighter1",
       "ZU2_Root",
       1,
       {-8, 0, 0},
       "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=2\r\n"
       "Event0=10|attack|\"Mothership\"\r\nEvent1=200|hyperspaceOut|\r\n"},
      {"Mothership",
       "ZU2_Root",
       1,
       {0, 0, 20},
       "Sob Type=ship\r\nSob Name=Fleet\r\nNum Events=1\r\nEvent0=0|invincible|\r\n"},
      {"Fighter2", "ZU2_Root", 0, {8, 0, 0}, "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=0\r\n"},
      {"Asteroid1",
       "ZU2_Root",
       1,
       {30, -5, 50},
       "Sob Type=asteroid\r\nSob Name=\r\nNum Events=0\r\n"},
      {"Explosion",
       "Mothership",
       1,
       {0, 0, 22},
       "Sob Type=Effect\r\nSob Name=Blast\r\nNum Events=0\r\n"},
      {"Salvage1", "ZU2_Root", 1, {-20, 0, 30}, ""},
      {"IG_Helper", "ZU2_Root", 1, {0, 0, 0}, "Sob Type=ship\r\n"},
  };
  // Ten seconds of motion: keys at 0, 5 and 10 seconds, positions as offsets from
  // the rest position, angles in radians. The fleet flies on past the rock, the
  // fighters banking round the mothership, while the cameras follow.
  const auto move = [&](std::int8_t joint, std::vector<Key> positions,
                        std::vector<Key> rotations = {Key{1.0f, {0, 0, 0}}}) {
    model.joints[static_cast<std::size_t>(joint)].positionKeys = std::move(positions);
    model.joints[static_cast<std::size_t>(joint)].rotationKeys = std::move(rotations);
  };
  move(kCamMain, {{0, {0, 0, 0}}, {5, {-12, -2, 8}}, {10, {-25, -4, 20}}});
  move(kCamChase, {{0, {0, 0, -15}}, {5, {0, 1, 10}}, {10, {0, 0, 35}}});
  move(kCamWide, {{0, {0, 0, 0}}, {10, {-10, -10, 30}}});
  move(kFighter1, {{0, {0, 2, -25}}, {5, {4, 0, 5}}, {10, {-2, 3, 40}}},
       {{0, {0, 0, 0}}, {5, {0, 0, 0.6f}}, {10, {0, 0, 0}}});
  move(kFighter2, {{0, {0, -1, -20}}, {5, {-3, 1, 8}}, {10, {2, 0, 45}}},
       {{0, {0, 0, 0}}, {5, {0, 0, -0.6f}}, {10, {0, 0, 0}}});
  move(kMothership, {{0, {0, 0, 0}}, {10, {0, 0, 12}}});
  move(kAsteroid1, {{0, {0, 0, 0}}, {10, {-4, 1, 0}}},
       {{0, {0, 0, 0}}, {5, {1.2f, 0.7f, 0.3f}}, {10, {2.4f, 1.4f, 0.6f}}});
  move(kSalvage1, {{1, {0, 0, 0}}}, {{0, {0, 0, 0}}, {10, {0, 3.1f, 0}}});
  return model;
}

}  // namespace quorvel::examples
