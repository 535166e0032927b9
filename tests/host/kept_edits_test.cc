// Where a complete new file goes when the step that was to put it in the model's
// place stopped halfway, after the old file was removed: never lost.
#include "host/kept_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;

TEST(PutInPlaceOfRemovedTest, TheNewFileTakesTheNameOrIsKeptBesideIt) {
  const struct {
    const char* what;
    bool nameTaken;   // another file appeared under the model's name meanwhile
    bool newMissing;  // the new file cannot be moved at all
    const char* endsAt;
    std::vector<std::string> entries;
  } cases[] = {
      {"the name is free", false, false, "fleet.ms3d", {"fleet.ms3d"}},
      {"the name was taken",
       true,
       false,
       "fleet.unsaved.ms3d",
       {"fleet.ms3d", "fleet.unsaved.ms3d"}},
      {"nothing to move", false, true, ".fleet.ms3d.quorvel-save-abc123", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string model = folder.File("fleet.ms3d");
    const std::string fresh = folder.File(".fleet.ms3d.quorvel-save-abc123");
    if (!c.newMissing) {
      WriteWholeFile(fresh, "new model");
    }
    if (c.nameTaken) {
      WriteWholeFile(model, "another program's file");
    }
    const std::string at = PutInPlaceOfRemoved(model, fresh);
    EXPECT_EQ(at, folder.File(c.endsAt));
    EXPECT_EQ(folder.Entries(), c.entries);
    if (!c.newMissing) {
      EXPECT_EQ(ReadWholeFile(at), "new model");
    }
    if (c.nameTaken) {
      EXPECT_EQ(ReadWholeFile(model), "another program's file");
    }
  }
}

}  // namespace
}  // namespace quorvel::host
