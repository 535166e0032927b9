#pragma once

#include <ostream>
#include <string>

#include "host/model.h"
#include "tools/quorvel/command.h"

namespace quorvel::app {

// Writes the model as JSON: "meshes", "materials", "frames" (the file's total
// frames), "comment" (the model comment) and "joints", in file order, each with
// "index", "name", "flags" and "comment". Texts are whole, not cut to any buffer;
// bytes from 0x80 up are written as U+0080 to U+00FF. One joint per line, written
// as it is made, so that a model with tens of thousands of joints needs no more
// memory than the model itself.
void WriteDump(const host::Model& model, std::ostream& out);

struct DumpOptions {
  std::string modelPath;
};

// `quorvel dump MODEL`: WriteDump of the model file to standard output.
int RunDump(const DumpOptions& dump);

void AddDumpCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
