#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/ReadWriteDlg.h"

namespace kx::test {

using TransferTest = AppTest;

TEST_F(TransferTest, PortThatCannotBeOpenedLeavesTheProgressWindowWithTheReason) {
  std::filesystem::create_directories(config.path() / "kxprog");
  writeAll(sideFile(), {7, 0, 0, 0});  // COM7 is not plugged in
  start();
  const CKX200Doc before = doc();
  trigger(cmd::kReadRadio);

  CReadWriteDlg* window = view().ReadWriteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Read/Write");
  EXPECT_EQ(window->Status(),
            "Fail to open PORT7\nCOM7 is not present on this machine; choose a port in the Port "
            "menu.");
  EXPECT_EQ(window->Progress(), 0);
  EXPECT_TRUE(window->OkButton()->isEnabled());
  EXPECT_FALSE(window->StopButton()->isVisible());
  EXPECT_FALSE(view().Transferring());
  EXPECT_EQ(doc(), before);

  // A write after it reuses the window; OK closes it.
  trigger(cmd::kWriteRadio);
  EXPECT_EQ(view().ReadWriteWindow(), window);
  EXPECT_TRUE(window->Status().startsWith("Fail to open PORT7\n"));
  window->OkButton()->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(view().ReadWriteWindow(), nullptr);
}

}  // namespace kx::test
