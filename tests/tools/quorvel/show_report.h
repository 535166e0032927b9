#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/ms_model_lib.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"
#include "plugin/joints/joint_kind.h"

// The reference that `quorvel show`'s writers are held against: every record loaded
// whole, as the editing session loads it, and printed or made a document tree.
namespace quorvel::app {

// One joint as the editing session sees it: its name and comment read as the
// session reads them (plugin/joints/host_text.h), its kind, whether it is marked, and, for an
// eligible joint, its record as the session would load it.
struct JointReport {
  int index = 0;
  std::string name;
  JointKind kind = JointKind::kOther;
  bool marked = false;
  std::optional<FollowerRecord> follower;
  std::optional<CameraRecord> camera;
  // The record's values that the comment gave no text for (see DefaultedValues).
  std::vector<std::string> defaults;
};

struct ShowReport {
  std::string file;
  std::string plugInTitle;
  ModelRecord model;
  std::vector<std::string> modelDefaults;
  std::vector<JointReport> joints;
};

// Reads the model through the host's functions, as the session does.
ShowReport BuildShowReport(msModel* model);

// What `quorvel show` writes, from the report.
void PrintShowReport(const ShowReport& report, std::ostream& out);
// What `quorvel show --json` writes is this document's dump(2) and a newline.
nlohmann::ordered_json ShowReportJson(const ShowReport& report);

}  // namespace quorvel::app
