#include "examples/fleet_model.h"

namespace quorvel::examples {

ModelFile FleetModel() {
  ModelFile model;
  // A hull: a flat quad of two triangles, bound to the flagship's joint.
  model.vertices = {{-2, 0, -4, 5}, {2, 0, -4, 5}, {2, 0, 4, 5}, {-2, 0, 4, 5}};
  model.triangles = {{{0, 1, 2}, 0}, {{0, 2, 3}, 0}};
  model.groups = {{"Hull", {0, 1}, 0, ""}};
  model.materials = {{"HullPaint", {0.55f, 0.6f, 0.7f, 1.0f}, "hull.tga", ""}};
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
  return model;
}

}  // namespace quorvel::examples
