#pragma once

#include <ostream>
#include <string>

#include "host/ms_model_lib.h"
#include "tools/quorvel/command.h"

namespace quorvel::app {

// What `quorvel show` writes: the model's record and each joint's, in text or with
// `json` as the document docs/show.schema.json describes (laid out as nlohmann's
// dump(2) lays a document out, and a newline), each joint written straight from
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
