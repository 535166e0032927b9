#include "tools/quorvel/show_command.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "framework/core/latin1.h"
#include "host/ms_model_handle.h"
#include "plugin/attributes/model_record.h"
#include "plugin/joints/host_text.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/joint_show_writer.h"
#include "tools/quorvel/json_text.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/output_buffer.h"
#include "tools/quorvel/plugin_module.h"
#include "tools/quorvel/record_defaults.h"
#include "tools/quorvel/standard_output.h"

namespace quorvel::app {
namespace {

ModelRecord ReportModel(HostTextReader& text, msModel* model,
                        std::vector<std::string>* defaults = nullptr) {
  ModelRecord record;
  const std::string comment = text.ModelComment(model);
  record.LoadAttributes(comment);
  if (defaults != nullptr) {
    *defaults = DefaultedValues(RecordShape::kModel, comment);
  }
  return record;
}

// The text form, written as each part is read.

void PrintEvents(const EventList& events, std::string_view indent, OutputBuffer& out) {
  out.Text(indent);
  out.Text("Num Events: ");
  out.Number(events.size());
  out.Text("\n");
  for (std::size_t i = 0; i < events.size(); ++i) {
    out.Text(indent);
    out.Text("  Event");
    out.Number(i);
    out.Text(": ");
    out.Terminal(events[i]);
    out.Text("\n");
  }
}

void PrintHead(const std::string& file, const std::string& plugInTitle, const ModelRecord& model,
               std::size_t jointCount, OutputBuffer& out) {
  out.Text("\"");
  out.Text(plugInTitle);
  out.Text("\" attributes of ");
  out.Text(file);
  out.Text("\n\nModel\n    OPT_FPS: ");
  out.Number(model.frameRate);
  out.Text("\n");
  PrintEvents(model.events, "    ", out);
  out.Text("\nJoints: ");
  out.Number(jointCount);
  out.Text("\n");
}

// The JSON form's head and tail, laid out exactly as nlohmann's dump(2) lays out
// ShowReportJson's document (two spaces a level, "[]" for an empty list); the joints
// between them are JointShowWriter's. Model texts are 8-bit and written by
// WriteJsonString, which escapes as nlohmann does.

void JsonEvents(const EventList& events, std::string_view indent, OutputBuffer& out) {
  if (events.empty()) {
    out.Text("[]");
    return;
  }
  std::string_view separator = "[\n";
  for (const std::string& event : events) {
    out.Text(separator);
    out.Text(indent);
    out.Text("  ");
    out.String(event);
    separator = ",\n";
  }
  out.Text("\n");
  out.Text(indent);
  out.Text("]");
}

void JsonHead(const std::string& file, const std::string& plugInTitle, const ModelRecord& model,
              const std::vector<std::string>& defaults, OutputBuffer& out) {
  out.Text("{\n  \"$schema\": \"");
  out.Text(kShowSchemaId);
  // Texts from outside the model: nlohmann escapes them as it always has.
  out.Text("\",\n  \"file\": ");
  out.Text(nlohmann::ordered_json(ui::ShownText(file)).dump());
  out.Text(",\n  \"plugIn\": ");
  out.Text(nlohmann::ordered_json(plugInTitle).dump());
  out.Text(",\n  \"model\": {\n    \"frameRate\": ");
  out.Number(model.frameRate);
  out.Text(",\n    \"events\": ");
  JsonEvents(model.events, "    ", out);
  WriteDefaultsJson(defaults, "    ", out);
  out.Text("\n  },\n  \"joints\": ");
}

void JsonTail(std::size_t jointCount, OutputBuffer& out) {
  out.Text(jointCount == 0 ? "[]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

void WriteShow(msModel* model, const std::string& file, const std::string& plugInTitle, bool json,
               std::ostream& out) {
  HostTextReader text;
  OutputBuffer buffer(out);
  std::vector<std::string> defaults;
  const ModelRecord record = ReportModel(text, model, json ? &defaults : nullptr);
  const int count = msModel_GetBoneCount(model);
  const auto jointCount = static_cast<std::size_t>(std::max(count, 0));
  if (json) {
    JsonHead(file, plugInTitle, record, defaults, buffer);
  } else {
    PrintHead(file, plugInTitle, record, jointCount, buffer);
  }
  JointShowWriter joints(buffer, json);
  // What the reader would copy out through the joints' handles, viewed where the
  // model keeps it: at 65,535 joints, making the handles and copying each name
  // would show.
  const std::vector<host::Joint>& stored = host::JointsOf(model);
  for (int i = 0; i < count; ++i) {
    const host::Joint& joint = stored[static_cast<std::size_t>(i)];
    const std::string_view name =
        host::HandedOutName(joint, static_cast<std::size_t>(HostTextReader::kNameBufferSize));
    const std::string_view comment = host::HandedOutComment(joint).substr(
        0, static_cast<std::size_t>(HostTextReader::kMaxCommentSize - 1));
    joints.Write(i, name, (joint.flags & host::kJointSelected) != 0, comment, i == 0);
  }
  if (json) {
    JsonTail(jointCount, buffer);
  }
}

int RunShow(const ShowOptions& show, const GlobalOptions& options) {
  PlugInModule module(options.plugInPath.empty() ? PlugInModule::DefaultPath()
                                                 : options.plugInPath);
  ModelPtr model = OpenModelFileForReading(show.modelPath);
  WriteShow(model.get(), show.modelPath, module.Title(), show.json, std::cout);
  FinishStandardOutput();
  return kExitSuccess;
}

void AddShowCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "show", "Show a model's attributes and each joint as the plug-in classifies it");
  auto show = std::make_shared<ShowOptions>();
  line->add_option("MODEL", show->modelPath, "The model file (.ms3d)")->required();
  line->add_flag("--json", show->json, "Write the same as JSON");
  commands.push_back({line, [show, &options] { return RunShow(*show, options); }});
}

}  // namespace quorvel::app
