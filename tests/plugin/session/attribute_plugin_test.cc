#include "plugin/session/attribute_plugin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/core/backend.h"
#include "tests/framework/core/lambda_backend.h"
#include "tests/plugin/session/fake_host.h"

namespace quorvel {
namespace {

TEST(AttributePlugInTest, KindAndTitleBeforeAndAfterARun) {
  ui::testing::LambdaBackend backend;  // cancels every window
  ui::BackendScope installed(&backend);
  AttributePlugIn plugIn;
  EXPECT_EQ(plugIn.Kind(), 3);
  EXPECT_STREQ(plugIn.Title(), "Quorvel");
  msModel model;
  model.joints = {{"Fighter1", 1, ""}};
  model.Prepare();
  EXPECT_EQ(plugIn.Run(&model), 0);
  EXPECT_EQ(plugIn.Kind(), 3);
  EXPECT_STREQ(plugIn.Title(), "Quorvel");
  EXPECT_EQ(plugIn.Title(), plugIn.Title());  // the object's own buffer
}

TEST(AttributePlugInTest, NullModelReturnsMinusOne) {
  AttributePlugIn plugIn;
  EXPECT_EQ(plugIn.Run(nullptr), -1);
}

TEST(AttributePlugInTest, EmptyModelStillReturnsZero) {
  ui::testing::LambdaBackend backend;
  ui::BackendScope installed(&backend);
  AttributePlugIn plugIn;
  msModel model;
  model.meshes = 0;
  model.Prepare();
  EXPECT_EQ(plugIn.Run(&model), 0);
  EXPECT_THAT(model.calls, ::testing::Contains("GetBoneCount"));
}

TEST(AttributePlugInTest, WithNoBackendFailsSayingSoBeforeReadingTheModel) {
  AttributePlugIn plugIn;
  msModel model;
  model.joints = {{"Fighter1", 1, ""}};
  model.Prepare();
  try {
    plugIn.Run(&model);
    ADD_FAILURE() << "Run went on with no backend";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(error.what(), kNoBackendMessage);
  }
  EXPECT_THAT(model.calls, ::testing::IsEmpty());
}

TEST(AttributePlugInTest, ReleasedThroughTheInterface) {
  PlugInInterface* plugIn = new AttributePlugIn;
  delete plugIn;  // the sanitizer build catches a destructor that is not virtual
}

}  // namespace
}  // namespace quorvel
