#include "tests/framework/backends/qt/qt_test_environment.h"

#include <memory>

#include <gtest/gtest.h>
#include <QApplication>

namespace quorvel::ui::qt::testing {
namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QApplication::instance() == nullptr)
      application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "ui_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

ScriptFailure PlayOnQt(TemplateSet templates, std::string_view script,
                       const std::function<void()>& body) {
  return PlayOn<QtScriptedBackend>(templates, script, body);
}

}  // namespace quorvel::ui::qt::testing
