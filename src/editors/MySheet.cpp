#include "editors/MySheet.h"

#include "editors/ComDlg.h"
#include "editors/MyPage2.h"
#include "editors/MyPage3.h"
#include "editors/MyPage4.h"

namespace kx {

CMySheet::CMySheet(CKX200Doc& doc, RadioMemory& memory, QWidget* parent)
    : QTabWidget(parent),
      channelPage_(new CMyPage4(doc)),
      modemPage_(new CMyPage3(doc)),
      comPage_(new CComDlg(doc, memory)),
      systemPage_(new CMyPage2(doc)) {
  setObjectName(QStringLiteral("optionSheet"));
  addTab(channelPage_, QStringLiteral("Channel"));
  addTab(modemPage_, QStringLiteral("Modem"));
  addTab(comPage_, QStringLiteral("EEPROM W/R"));
  addTab(systemPage_, QStringLiteral("System/GPS Option"));
  setCurrentIndex(channelPageIndex);
}

COptionPage& CMySheet::Page(int index) const {
  switch (index) {
    case 1:
      return *modemPage_;
    case 2:
      return *comPage_;
    case 3:
      return *systemPage_;
    default:
      return *channelPage_;
  }
}

}  // namespace kx
