// The GUI tests run offscreen unless the environment names another platform (scripts/screenshot
// uses a real X display for its own program).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // On Windows the offscreen platform draws with the fonts of one folder. Wine hands a program
  // no QT_ variable, so the folder comes by a name of the tests' own.
  if (const QByteArray fonts = qgetenv("KX_TEST_FONT_DIR"); !fonts.isEmpty())
    qputenv("QT_QPA_FONTDIR", fonts);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
