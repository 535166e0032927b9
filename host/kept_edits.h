#pragma once

#include <cstdint>
#include <string>

namespace quorvel::host {

// Where the edits of a save that was refused are kept: beside the model, under a
// name no file has yet. For "folder/fleet.ms3d" the names are
// "folder/fleet.unsaved.ms3d", then "folder/fleet.unsaved-2.ms3d" and so on (and
// "fleet.unsaved-comments.txt" for the text form). Both return the path written,
// or throw Ms3dError with what went wrong.

// Gives the file `from` the name `to`, which must not exist yet (on the same file
// system). Returns 0, or the errno value of the failure: EEXIST when `to` exists.
int MoveToNewName(const std::string& from, const std::string& to);
// Writes `text` to the file `path`, which must not exist yet, and flushes it to the
// disk. The file is created with the permission bits `permissions` (of 0777) and
// no others at any moment, whatever the process's file-creation mask, so that it is
// no more open to others than the file whose content it keeps (ignored where the
// system has no such bits). Returns 0, or the errno value of the failure (EEXIST
// only when `path` exists); a file that could not be written whole is removed again.
int WriteNewFile(const std::string& path, const std::string& text, std::uint32_t permissions);

// Moves the complete file `from` (in the model's folder) to such a name.
std::string KeepFileBeside(const std::string& model, const std::string& from);
// Writes `text` to a new file of such a name, with the model's permission bits
// `permissions` (see WriteNewFile).
std::string KeepTextBeside(const std::string& model, const std::string& text,
                           std::uint32_t permissions);

// The complete new file `from` that was to replace `model`, after the system removed
// the old file and failed to rename the new one (a replacing step that stopped
// halfway): it is the only copy of the model now. Gives it the model's name, or
// where that fails (another file took the name meanwhile), keeps it beside the model
// as KeepFileBeside does. Returns where it is: `model`, the name beside it, or
// `from` itself where it could not be moved at all; never throws for a failed move.
std::string PutInPlaceOfRemoved(const std::string& model, const std::string& from);

}  // namespace quorvel::host
