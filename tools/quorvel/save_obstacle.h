#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quorvel::app {

// Why the model file `path` plainly cannot be saved by this user, for a person: no
// write permission on the file, or on its folder (where a save makes the new file),
// or what a save refuses to do to it: split its hard links, replace a read-only
// file (unless `allowReadOnly`), give another user's file a new owner. nullopt when
// nothing stands in the way that can be seen beforehand; a save can still fail
// later (a full disk, the file changed meanwhile).
std::optional<std::string> SaveObstacle(const std::string& path, bool allowReadOnly = false);

// Why the folder `folder`, which takes names of at most `longestName` bytes and
// paths of fewer than `longestPath` bytes, cannot take the temporary file a save
// writes there (see host/temporary_name.h); nullopt when it can.
std::optional<std::string> TemporaryFileObstacle(const std::string& folder, std::size_t longestName,
                                                 std::size_t longestPath);

// Before the editor opens: when the file plainly cannot be saved, tells the user in
// a message box captioned "Quorvel" which file, why, and that changes cannot be
// saved there. Needs the backend installed.
void WarnIfNotSaveable(const std::string& path, bool allowReadOnly = false);

}  // namespace quorvel::app
