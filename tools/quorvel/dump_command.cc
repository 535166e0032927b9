#include "tools/quorvel/dump_command.h"

#include <iostream>
#include <memory>
#include <string>

#include "host/ms_model_handle.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/output_buffer.h"
#include "tools/quorvel/standard_output.h"

namespace quorvel::app {

void WriteDump(const host::Model& model, std::ostream& out) {
  OutputBuffer dump(out);
  dump.Text("{\n  \"meshes\": ");
  dump.Number(model.meshes.size());
  dump.Text(",\n  \"materials\": ");
  dump.Number(model.materials.size());
  dump.Text(",\n  \"frames\": ");
  dump.Number(model.totalFrames);
  dump.Text(",\n  \"comment\": ");
  dump.String(model.comment);
  dump.Text(",\n  \"joints\": [");
  std::string_view separator = "\n    ";
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    const host::Joint& joint = model.joints[i];
    dump.Text(separator);
    dump.Text("{\"index\":");
    dump.Number(i);
    dump.Text(",\"name\":");
    dump.String(joint.name);
    dump.Text(",\"flags\":");
    dump.Number(unsigned{joint.flags});
    dump.Text(",\"comment\":");
    dump.String(joint.comment);
    dump.Text("}");
    separator = ",\n    ";
  }
  dump.Text(model.joints.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

int RunDump(const DumpOptions& dump) {
  ModelPtr model = OpenModelFileForReading(dump.modelPath);
  WriteDump(host::DocumentOf(model.get())->Model(), std::cout);
  FinishStandardOutput();
  return kExitSuccess;
}

void AddDumpCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "dump", "Write a model file's meshes, materials, frames, comments and joints as JSON");
  auto dump = std::make_shared<DumpOptions>();
  line->add_option("MODEL", dump->modelPath, "The model file (.ms3d)")->required();
  commands.push_back({line, [dump] { return RunDump(*dump); }});
}

}  // namespace quorvel::app
