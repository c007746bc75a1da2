#pragma once

#include <QTabWidget>

namespace kx {

class CKX200Doc;
class CComDlg;
class CMyPage2;
class CMyPage3;
class CMyPage4;
class COptionPage;
class UserDialogs;
struct RadioMemory;

// The option sheet inside the main form: the channel input, modem, EEPROM map and system/GPS
// pages, in that order. The page numbers agree with the main frame's currentPage.
class CMySheet : public QTabWidget {
 public:
  CMySheet(CKX200Doc& doc, RadioMemory& memory, UserDialogs& dialogs, QWidget* parent = nullptr);

  CMyPage4& ChannelPage() const { return *channelPage_; }
  CMyPage3& ModemPage() const { return *modemPage_; }
  CComDlg& ComPage() const { return *comPage_; }
  CMyPage2& SystemPage() const { return *systemPage_; }
  COptionPage& Page(int index) const;

  void SetActivePage(int index) { setCurrentIndex(index); }
  int ActiveIndex() const { return currentIndex(); }

  const int channelPageIndex = 0;
  const int modemPageIndex = 1;
  const int eepromPageIndex = 2;
  const int systemPageIndex = 3;

 private:
  CMyPage4* channelPage_;
  CMyPage3* modemPage_;
  CComDlg* comPage_;
  CMyPage2* systemPage_;
};

}  // namespace kx
