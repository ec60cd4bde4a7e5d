// The program from start-up to exit, in this process's own message loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/main_window_program.h"
#include "platform/scripted_dialogs.h"
#include "platform/window.h"

namespace quorvin::app {
namespace {

platform::Window* OpenMainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QStringLiteral("MainWindow") && widget->isVisible()) {
      return dynamic_cast<platform::Window*>(widget);
    }
  }
  return nullptr;
}

TEST(Program, RunsUntilMainWindowClosesThenReleasesEveryByteString) {
  editor::ProgramState state;
  platform::ScriptedDialogs dialogs;
  bool sawWindow = false;
  QTimer::singleShot(0, [&] {
    platform::Window* window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    sawWindow = window->windowTitle() == QStringLiteral("Quorvin v2.0");
    // Something to release: the created handler's templates and a first icon.
    state.document.AssembleIcon();
    state.brushBytes = {1, 2, 3, 4};
    QTest::keyClick(window, Qt::Key_Escape);
  });
  EXPECT_EQ(RunProgram(state, dialogs), 0);
  EXPECT_TRUE(sawWindow);
  EXPECT_EQ(OpenMainWindow(), nullptr);
  EXPECT_EQ(state.document.header.capacity(), 0u);
  EXPECT_EQ(state.document.mask.capacity(), 0u);
  EXPECT_EQ(state.document.IconBytes.capacity(), 0u);
  EXPECT_EQ(state.brushBytes.capacity(), 0u);
}

}  // namespace
}  // namespace quorvin::app
