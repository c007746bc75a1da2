#include "editors/MyPage3.h"

#include "editors/ReadOnlyForm.h"
#include "model/KX200Doc.h"

namespace kx {

namespace {

QString modemType(const CKX200Doc& d) {
  if (d.gmsk) return QStringLiteral("GMSK");
  if (d.ffsk) return QStringLiteral("FFSK");
  if (d.afsk)
    return d.afskBell202 ? QStringLiteral("AFSK (BELL 202)") : QStringLiteral("AFSK (V23)");
  return QStringLiteral("Modem is not selected");
}

QString milliseconds(int ms) {
  return QStringLiteral("%1 ms").arg(ms);
}

}  // namespace

CMyPage3::CMyPage3(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent),
      dialogs_(dialogs),
      form_(std::make_unique<ReadOnlyForm>(this, QStringLiteral(" MODEM "))) {
  form_->AddRow(QStringLiteral("Modem type"), modemType);
  form_->AddRow(QStringLiteral("Modem"), [](const CKX200Doc& d) {
    return d.modemEnabled ? QStringLiteral("Modem Enable") : QStringLiteral("Modem Disable");
  });
  form_->AddRow(QStringLiteral("Mode"), [](const CKX200Doc& d) {
    return d.modemMode == 1 ? QStringLiteral("Dumb Mode") : QStringLiteral("Auto Mode");
  });
  form_->AddRow(QStringLiteral("Tx OFF delay"),
                [](const CKX200Doc& d) { return milliseconds(d.txOffDelayMs); });
  form_->AddRow(QStringLiteral("Tx ON delay"),
                [](const CKX200Doc& d) { return milliseconds(d.txOnDelayMs); });
  form_->AddRow(QStringLiteral("Rx ON delay"),
                [](const CKX200Doc& d) { return milliseconds(d.rxOnDelayMs); });
  form_->AddRow(QStringLiteral("Enables Tx Forcing Mode"),
                [](const CKX200Doc& d) { return OnOff(d.txForcingMode); });
  // The main form refreshes this page only once it says it has its controls.
  doc_.viewFlagB = 1;
  Refresh();
}

CMyPage3::~CMyPage3() = default;

void CMyPage3::LockModemControls() {}
void CMyPage3::UnlockModemControls() {}

void CMyPage3::Refresh() {
  form_->Refresh(doc_);
}

}  // namespace kx
