// File > Import/Export Channels (CSV) and Configuration (YAML).
#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "editors/MyPage4.h"

namespace kx::test {

using ConfigTextTest = AppTest;

TEST_F(ConfigTextTest, ImportsSayEverythingInOneBoxAndThePagesShowWhatWasTaken) {
  start();
  auto answer = [this](const std::string& name, const std::string& text = {}) {
    if (!text.empty()) writeText(files.file(name), text);
    dialogs.fileAnswers.push_back(QString::fromStdString(files.file(name)));
  };
  CMyPage4& page = view().Sheet().ChannelPage();

  answer("bad.csv", "CH,Rx Freq(MHz)\n1,150.0065\n2,190\n");
  trigger(cmd::kImportChannelsCsv);
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.notices[0].text,
            "bad.csv:2: Rx Freq(MHz): 150.0065 stored as 150.01250\n"
            "bad.csv:3: Rx Freq(MHz): Valid Range : 146 to 174MHz\n"
            "bad.csv: nothing was imported");
  EXPECT_EQ(dialogs.notices[0].kind, NoticeKind::kStop);
  EXPECT_TRUE(doc().channels[0].isEmpty());

  // Each import is taken over the configuration the one before changed.
  dialogs.saveAnswers.assign(3, SaveChoice::kDiscard);
  answer("good.csv", "CH,Rx Freq(MHz)\n1,150.0065\n");
  trigger(cmd::kImportChannelsCsv);
  ASSERT_EQ(dialogs.notices.size(), 2u);
  EXPECT_EQ(dialogs.notices[1].kind, NoticeKind::kInformation);
  EXPECT_EQ(page.RxEdit(0)->text(), QStringLiteral("150.01250"));

  // The whole configuration out and back in.
  answer("all.yaml");
  trigger(cmd::kExportConfigYaml);
  answer("all.csv");
  trigger(cmd::kExportChannelsCsv);
  answer("empty.csv", "CH,Rx Freq(MHz)\n1,\n");
  trigger(cmd::kImportChannelsCsv);
  EXPECT_EQ(page.RxEdit(0)->text(), QString());
  answer("all.yaml");
  trigger(cmd::kImportConfigYaml);
  EXPECT_EQ(page.RxEdit(0)->text(), QStringLiteral("150.01250"));
  EXPECT_EQ(dialogs.notices.size(), 2u);  // nothing to say about a file the program wrote
  const auto csv = readAll(files.file("all.csv"));
  EXPECT_EQ(std::string(csv.begin(), csv.begin() + 15), "CH,Rx Freq(MHz)");
}

TEST_F(ConfigTextTest, ALongListOfRefusalsFitsTheScreenWithTheCountOfTheRest) {
  start();
  std::string header = "CH";
  for (int column = 1; column <= 5000; ++column)
    header += ",Column " + std::to_string(column);
  writeText(files.file("wide.csv"), header + "\n1\n");
  dialogs.fileAnswers.push_back(QString::fromStdString(files.file("wide.csv")));
  trigger(cmd::kImportChannelsCsv);
  ASSERT_EQ(dialogs.notices.size(), 1u);
  const Notice refusals = dialogs.notices[0];
  ASSERT_GT(std::count(refusals.text.begin(), refusals.text.end(), '\n'), 40);

  // The real message box, offscreen, on its screen (800 pixels tall), the details opened too.
  QtUserDialogs screen;
  QRect box;
  QRect opened;  // with the details shown
  QRect available;
  QString shown;
  QString details;
  QTimer::singleShot(0, [&] {
    auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!message) return;
    box = message->frameGeometry();
    available = message->screen()->availableGeometry();
    shown = message->text();
    details = message->detailedText();
    for (QAbstractButton* button : message->buttons()) {
      if (message->buttonRole(button) == QMessageBox::ActionRole) button->click();
    }
    opened = message->frameGeometry();
    message->accept();
  });
  screen.Show(&frame(), refusals);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_LE(box.height(), available.height());
  EXPECT_LE(opened.height(), available.height());
  EXPECT_TRUE(shown.startsWith(QString::fromStdString(refusals.text.substr(0, 40))));
  EXPECT_TRUE(shown.contains(QRegularExpression(
      QStringLiteral("\\n\\.\\.\\. and \\d+ more \\(Show Details\\.\\.\\. lists them all\\)\\n"
                     "wide\\.csv: nothing was imported$"))))
      << shown.toStdString();
  EXPECT_EQ(details, QString::fromStdString(refusals.text));
}

}  // namespace kx::test
