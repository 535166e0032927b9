#include "framework/core/resource_scope.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/core/application.h"

namespace quorvel::ui {
namespace {

constexpr DialogTemplate kA{1, "A", {}, 0, kDialogFont, {}, {}};
constexpr DialogTemplate kB{2, "B", {}, 0, kDialogFont, {}, {}};
constexpr const DialogTemplate* kFirst[] = {&kA};
constexpr const DialogTemplate* kSecond[] = {&kB};

TEST(ResourceScope, InnermostSetIsSearchedAndTheOuterComesBack) {
  EXPECT_EQ(FindTemplate(1), nullptr);
  {
    ResourceScope outer(kFirst);
    EXPECT_EQ(FindTemplate(1), &kA);
    {
      ResourceScope inner(kSecond);
      EXPECT_EQ(FindTemplate(1), nullptr);
      EXPECT_EQ(FindTemplate(2), &kB);
    }
    EXPECT_EQ(FindTemplate(1), &kA);
  }
  EXPECT_TRUE(CurrentTemplates().empty());
}

TEST(ResourceScope, IsRestoredWhenAnErrorLeavesTheScope) {
  ResourceScope outer(kFirst);
  try {
    ResourceScope inner(kSecond);
    throw std::runtime_error("failure during a run");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(FindTemplate(1), &kA);
}

TEST(Application, RegistersWhileItExists) {
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(AfxGetAppName(), "Quorvel");
  {
    CWinApp app("Quorvel");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_TRUE(app.InitInstance());
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
}

}  // namespace
}  // namespace quorvel::ui
