// The EEPROM map page's wiring: a double click patches a byte behind the access code.
#include <QDropEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "editors/ChangeMapDlg.h"
#include "editors/ComDlg.h"
#include "editors/EngSettingsDlg.h"
#include "model/ImageCodec.h"
#include "model/RadioMemory.h"

namespace kx::test {

using EepromPageTest = AppTest;

// Answers " CHANGE EEPROM MAP": the code, INPUT, the value, then OK or Cancel.
std::function<int(QDialog&)> patchWith(const char* code, const char* value, bool ok) {
  return [=](QDialog& dialog) {
    auto& change = dynamic_cast<CChangeMapDlg&>(dialog);
    change.CodeEdit()->setText(QString::fromLatin1(code));
    change.InputButton()->click();
    change.ValueEdit()->setText(QString::fromLatin1(value));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(change.ValueEdit(), &leave);
    if (ok)
      change.OkButton()->click();
    else
      change.reject();
    return dialog.result();
  };
}

TEST_F(EepromPageTest, DoubleClickPatchesTheByteBehindTheAccessCode) {
  start();
  CComDlg& map = view().Sheet().ComPage();
  QTableWidget* grid = map.Grid();

  // Byte 0x0B8 reaches the document as soon as it is typed, even when the dialog is cancelled.
  map.runDialog = patchWith("8413", "5", false);
  emit grid->cellDoubleClicked(11, 8);
  EXPECT_EQ(doc().regB8, 0x05);
  EXPECT_EQ(app->Memory().pendingCount(), 0u);

  map.runDialog = patchWith("8413", "a", true);
  emit grid->cellDoubleClicked(0, 12);
  EXPECT_EQ(grid->item(0, 12)->text(), "0A");
  EXPECT_EQ(app->Memory().pendingFlags[0x0C], 1);

  // A wrong code: the message, and nothing patched.
  map.runDialog = patchWith("1234", "FF", true);
  emit grid->cellDoubleClicked(0, 13);
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Wrong password!"});
  EXPECT_NE(grid->item(0, 13)->text(), "FF");
  EXPECT_EQ(app->Memory().pendingCount(), 1u);

  map.runDialog = [](QDialog& dialog) {
    auto& settings = dynamic_cast<CEngSettingsDlg&>(dialog);
    EXPECT_EQ(settings.windowTitle(), "Show Engineering Settings");
    EXPECT_EQ(settings.StepList().split(QLatin1Char('\n')).size(), 16);
    return 1;
  };
  map.SettingsButton()->click();
}

TEST_F(EepromPageTest, HandPatchesStayWithTheConfigurationTheyWereMadeOn) {
  start();
  const auto answer = [&](const std::string& path) {
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
  };
  const std::string saved = files.file("plain.dat");
  const std::string yaml = files.file("plain.yaml");
  answer(saved);
  trigger(cmd::kFileSave);  // the first recent file too
  answer(yaml);
  trigger(cmd::kExportConfigYaml);
  writeAll(files.file("bad.dat"), {1, 2, 3});
  const auto drop = [&](const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    frame().eventFilter(&frame(), &event);
    QCoreApplication::processEvents();
  };
  const struct {
    const char* command;
    std::function<void()> run;
    bool clears;
    bool undoable;
  } cases[] = {
      {"New", [&] { trigger(cmd::kFileNew); }, true, false},
      {"Load", [&] { answer(saved), trigger(cmd::kFileOpen); }, true, false},
      {"a refused Load", [&] { answer(files.file("bad.dat")), trigger(cmd::kFileOpen); }, false,
       false},
      {"a recent file", [&] { trigger(cmd::kFileRecentFirst); }, true, false},
      {"a dropped file", [&] { drop(saved); }, true, false},
      {"a YAML import", [&] { answer(yaml), trigger(cmd::kImportConfigYaml); }, true, true},
      {"a model choice", [&] { view().OnModelChosen(model::kKx600Uhf); }, true, true},
  };
  CComDlg& map = view().Sheet().ComPage();
  const RadioMemory& memory = app->Memory();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    map.runDialog = EnterMapByte("5A");
    emit map.Grid()->cellDoubleClicked(12, 2);
    ASSERT_EQ(memory.pendingCount(), 1u);
    dialogs.saveAnswers = {SaveChoice::kDiscard};
    c.run();
    EXPECT_EQ(memory.pendingCount(), c.clears ? 0u : 1u);
    // What a write would send: the encoded configuration, without the byte patched before.
    RadioMemory encoded;
    EncodeImage(doc(), encoded);
    EXPECT_EQ(memory.working[0xC2], c.clears ? encoded.working[0xC2] : 0x5A);
    if (!c.undoable) continue;
    trigger(cmd::kEditUndo);
    EXPECT_EQ(memory.pendingCount(), 1u);
    EXPECT_EQ(memory.working[0xC2], 0x5A);
  }
}

}  // namespace kx::test
