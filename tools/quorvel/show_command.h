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
#include "tools/quorvel/command.h"

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

void PrintShowReport(const ShowReport& report, std::ostream& out);
nlohmann::ordered_json ShowReportJson(const ShowReport& report);

// What `quorvel show` writes: the text of PrintShowReport, or with `json` the text
// of ShowReportJson(report).dump(2) and a newline, each joint written straight from
// its comment (see JointShowWriter): no record is loaded, and memory stays flat
// however many joints and events the model has. The joints are read as stored, as
// a model is opened: marks set through msHost_SetJointMarked are not looked at.
void WriteShow(msModel* model, const std::string& file, const std::string& plugInTitle, bool json,
               std::ostream& out);

struct ShowOptions {
  std::string modelPath;
  bool json = false;
};

// `quorvel show MODEL [--json]`: WriteShow of the model file to standard output,
// titled as the plug-in module names itself.
int RunShow(const ShowOptions& show, const GlobalOptions& options);

void AddShowCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
