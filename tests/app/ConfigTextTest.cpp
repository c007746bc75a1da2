// File > Import/Export Channels (CSV) and Configuration (YAML).
#include <QLineEdit>

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

}  // namespace kx::test
