#include "editors/MyPage2.h"

#include "editors/ReadOnlyForm.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"

namespace kx {

CMyPage2::CMyPage2(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent),
      dialogs_(dialogs),
      form_(
          std::make_unique<ReadOnlyForm>(this, QStringLiteral(" SYSTEM OPTION  /  GPS OPTION "))) {
  form_->AddRow(QStringLiteral("Enables Squelch"),
                [](const CKX200Doc& d) { return OnOff(d.squelchEnabled); });
  form_->AddRow(QStringLiteral("Squelch detection"), [](const CKX200Doc& d) {
    return d.squelchBusyPortCheck ? QStringLiteral("Busy Port Check")
                                  : QStringLiteral("Rssi Level Check");
  });
  form_->AddRow(QStringLiteral("Scan Delay Time"), [](const CKX200Doc& d) {
    return QStringLiteral("%1 Sec").arg(value_text::DelaySeconds(d.scanDelayIndex));
  });
  form_->AddRow(QStringLiteral("Scan Speed Time"),
                [](const CKX200Doc& d) { return QStringLiteral("%1 ms").arg(d.scanSpeedMs); });
  form_->AddRow(QStringLiteral("Enables GPS"),
                [](const CKX200Doc& d) { return OnOff(d.gpsEnabled); });
  form_->AddRow(QStringLiteral("Transmission Cycle"), [](const CKX200Doc& d) {
    return QStringLiteral("%1 Hour").arg(value_text::GpsCycleHours(d.gpsCycleIndex));
  });
  form_->AddRow(QStringLiteral("Data Transmission Time"),
                [](const CKX200Doc& d) { return QStringLiteral("%1 Sec").arg(d.gpsDataTimeSec); });
  form_->AddRow(QStringLiteral("Data Delay Time"),
                [](const CKX200Doc& d) { return QStringLiteral("%1 Sec").arg(d.gpsDataDelaySec); });
  form_->AddRow(QStringLiteral("Enables External Modulation"),
                [](const CKX200Doc& d) { return OnOff(d.externalModulation); });
  Refresh();
}

CMyPage2::~CMyPage2() = default;

void CMyPage2::ApplyModelEnabling() {}
void CMyPage2::DisableExternalModulation() {}
void CMyPage2::EnableExternalModulation() {}

void CMyPage2::Refresh() {
  // Only the KX600 has the receive, transmit, scan and GPS options.
  doc_.viewFlagA = Traits(doc_.modelType).fullSystemPage ? 1 : 0;
  form_->Refresh(doc_);
}

}  // namespace kx
