// The plug-in module as the host sees it: loaded at run time, entered through its
// one exported function, run on models of the real host library.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

#include "framework/core/backend.h"
#include "framework/core/modal_window.h"
#include "host/ms_model_handle.h"
#include "plugin/session/joint_walk.h"
#include "plugin/session/plugin_interface.h"
#include "tests/framework/core/lambda_backend.h"
#include "tests/support/worked_example.h"

namespace quorvel {
namespace {

const char kModule[] = QUORVEL_BINARY_DIR "/lib/libquorvel_plugin.so";

class PlugInModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (module_ != nullptr) {
      dlclose(module_);
    }
  }
  void* module_ = nullptr;
};

TEST_F(PlugInModuleTest, ExportsCreatePlugInUndecorated) {
  auto create = reinterpret_cast<CreatePlugInFunction>(dlsym(module_, kCreatePlugInSymbol));
  ASSERT_NE(create, nullptr) << dlerror();
  std::unique_ptr<PlugInInterface> plugIn(create());
  ASSERT_NE(plugIn, nullptr);
  EXPECT_EQ(plugIn->Kind(), kModelEditingPlugIn);
  EXPECT_STREQ(plugIn->Title(), "Quorvel");
  EXPECT_EQ(plugIn->Run(nullptr), -1);

  // Each call builds a new object.
  std::unique_ptr<PlugInInterface> second(create());
  EXPECT_NE(second.get(), plugIn.get());
}

TEST_F(PlugInModuleTest, RunsOnAModelOfTheHostLibrary) {
  auto create = reinterpret_cast<CreatePlugInFunction>(dlsym(module_, kCreatePlugInSymbol));
  ASSERT_NE(create, nullptr);
  host::Model model;
  model.meshes.resize(1);
  model.joints = {{"CAM_Main", 1, ""}, {"Fighter1", 1, "Sob Type=ship\r\n"}};
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  std::unique_ptr<PlugInInterface> plugIn(create());
  // The backend installed here reaches the module: both load one framework library.
  ui::testing::LambdaBackend backend;
  std::vector<std::string> shown;
  backend.onRun = [&](ui::ModalWindow& window) {
    shown.push_back(window.Title());
    window.UserPressEscape();
  };
  {
    ui::BackendScope installed(&backend);
    EXPECT_EQ(plugIn->Run(handle), 0);
  }
  EXPECT_EQ(shown, std::vector<std::string>{"Quorvel"});
  EXPECT_EQ(msHost_CommentsChanged(handle), 0);  // cancelled: nothing written
  // With no backend the module says so instead of running with no windows.
  EXPECT_THROW(plugIn->Run(handle), std::runtime_error);
  msHost_FreeModel(handle);
}

TEST(JointWalkOnHostLibraryTest, WorkedExample) {
  host::Model model;
  model.meshes.resize(1);
  model.joints = quorvel::testing::WorkedExampleJoints<host::Joint>();
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  JointWalk walk = WalkJoints(handle);
  EXPECT_EQ(walk.objectNames, NameList({"CAM_Main", "CAM_Side", "Fighter1", "Rock"}));
  EXPECT_EQ(walk.shipNames, NameList({"Fighter1"}));
  EXPECT_EQ(walk.otherNames, NameList({"Rock"}));
  ASSERT_EQ(walk.cameraJoints.size(), 2u);
  EXPECT_EQ(walk.cameraJoints[0], msModel_GetBoneAt(handle, 1));
  EXPECT_EQ(walk.cameraJoints[1], msModel_GetBoneAt(handle, 2));
  ASSERT_EQ(walk.followerJoints.size(), 1u);
  EXPECT_EQ(walk.followerJoints[0], msModel_GetBoneAt(handle, 3));
  msHost_FreeModel(handle);
}

}  // namespace
}  // namespace quorvel
