// One QApplication for the whole test program, set up as the program sets itself up.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/platform_init.h"

namespace {

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "quorvin_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    quorvin::platform::InitialisePlatform();
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
