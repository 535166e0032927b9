#include "app/dump_command.h"

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/command_error.h"
#include "app/latin1.h"
#include "app/model_file.h"
#include "host/ms_model_handle.h"

namespace quorvel::app {
namespace {

std::string JsonText(std::string_view bytes) {
  return nlohmann::json(Latin1ToUtf8(bytes)).dump();
}

}  // namespace

void WriteDump(const host::Model& model, std::ostream& out) {
  out << "{\n"
      << "  \"meshes\": " << model.meshes.size() << ",\n"
      << "  \"materials\": " << model.materials.size() << ",\n"
      << "  \"frames\": " << model.totalFrames << ",\n"
      << "  \"comment\": " << JsonText(model.comment) << ",\n"
      << "  \"joints\": [";
  const char* separator = "\n    ";
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    const host::Joint& joint = model.joints[i];
    nlohmann::ordered_json entry = {{"index", i},
                                    {"name", Latin1ToUtf8(joint.name)},
                                    {"flags", joint.flags},
                                    {"comment", Latin1ToUtf8(joint.comment)}};
    out << separator << entry.dump();
    separator = ",\n    ";
  }
  out << (model.joints.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

void AddDumpCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "dump", "Write a model file's meshes, materials, frames, comments and joints as JSON");
  auto path = std::make_shared<std::string>();
  line->add_option("MODEL", *path, "The model file (.ms3d)")->required();
  commands.push_back({line, [path] {
                        ModelPtr model = OpenModelFile(*path);
                        WriteDump(host::DocumentOf(model.get())->model(), std::cout);
                        std::cout.flush();
                        if (!std::cout) {
                          throw CommandError(kExitFileError, "cannot write to standard output");
                        }
                        return kExitSuccess;
                      }});
}

}  // namespace quorvel::app
