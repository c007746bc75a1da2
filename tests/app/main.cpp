// The GUI tests run offscreen unless the environment names another platform (scripts/screenshot
// uses a real X display for its own program).
#include <gtest/gtest.h>

#include <QApplication>

// Qt, fontconfig and the offscreen platform keep caches for the life of the process; they are
// not the program's leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6\nleak:libfontconfig\nleak:libglib\nleak:libdbus\n";
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
