// The plug-in object in the layout of the host's compiler, called through its table
// as the host calls it.
#include "plugin/windows/host_plugin.h"

#include <gtest/gtest.h>
#include <new>

namespace quorvel {
namespace {

ModelHandle lastModel = nullptr;

int RecordRun(PlugInInterface& plugIn, ModelHandle model) {
  lastModel = model;
  return plugIn.Kind() + 40;
}

TEST(HostPlugInTest, TheSlotsAreTheDestructorKindTitleAndRunInThatOrder) {
  HostPlugInObject* object = CreateHostPlugIn(&RecordRun);
  ASSERT_NE(object, nullptr);
  const HostPlugInSlots& slots = *object->slots;
  EXPECT_EQ(slots.kind(object), kModelEditingPlugIn);
  EXPECT_STREQ(slots.title(object), "Quorvel");
  auto* model = reinterpret_cast<ModelHandle>(&lastModel);
  EXPECT_EQ(slots.run(object, model), 43);
  EXPECT_EQ(lastModel, model);
  EXPECT_EQ(slots.destroy(object, kFreeMemory), object);
}

TEST(HostPlugInTest, TheDestructorFreesTheMemoryOnlyWhenAsked) {
  // Without the flag the object is destroyed and its memory stays the caller's to
  // free: freeing it here would be a double free if the slot had freed it.
  HostPlugInObject* object = CreateHostPlugIn(&RecordRun);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->slots->destroy(object, 0), object);
  ::operator delete(object);
}

TEST(HostPlugInTest, TheCallerReachesEverySlotAndReleasesTheObject) {
  // Each call builds a new object; the caller releases it through its destructor
  // slot, memory included (a leak checker sees any that stays).
  HostPlugInObject* first = CreateHostPlugIn(&RecordRun);
  HostPlugInObject* second = CreateHostPlugIn(&RecordRun);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  HostPlugInCaller caller(first);
  HostPlugInCaller(second).Kind();
  EXPECT_EQ(caller.Kind(), kModelEditingPlugIn);
  EXPECT_STREQ(caller.Title(), "Quorvel");
  EXPECT_EQ(caller.Run(nullptr), 43);
}

}  // namespace
}  // namespace quorvel
