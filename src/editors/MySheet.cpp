#include "editors/MySheet.h"

#include "editors/ComDlg.h"
#include "editors/MyPage2.h"
#include "editors/MyPage3.h"
#include "editors/MyPage4.h"

namespace kx {

CMySheet::CMySheet(CKX200Doc& doc, RadioMemory& memory, UserDialogs& dialogs, QWidget* parent)
    : QTabWidget(parent),
      channelPage_(new CMyPage4(doc, dialogs)),
      modemPage_(new CMyPage3(doc, dialogs)),
      comPage_(new CComDlg(doc, memory, dialogs)),
      systemPage_(new CMyPage2(doc, dialogs)) {
  // No External Modulation while the modem is on.
  modemPage_->onModemSwitched = [this](bool modemOn) {
    if (modemOn)
      systemPage_->DisableExternalModulation();
    else
      systemPage_->EnableExternalModulation();
  };
  setObjectName(QStringLiteral("optionSheet"));
  addTab(channelPage_, QStringLiteral("Channel"));
  addTab(modemPage_, QStringLiteral("Modem"));
  addTab(comPage_, QStringLiteral("EEPROM W/R"));
  addTab(systemPage_, QStringLiteral("System/GPS Option"));
  setCurrentIndex(channelPageIndex);
}

COptionPage& CMySheet::Page(int index) const {
  if (index == modemPageIndex) return *modemPage_;
  if (index == eepromPageIndex) return *comPage_;
  if (index == systemPageIndex) return *systemPage_;
  return *channelPage_;
}

}  // namespace kx
