#include "editors/MyPage4.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/KX200Doc.h"

namespace kx {

namespace {

const QStringList kHeaders = {"CH",       "Rx Freq(MHz)", "RxOption", "Tx Freq(MHz)",
                              "TxOption", "BW",           "Tx Power", "Scan"};

QString frequencyText(double mhz) {
  if (mhz == 0) return QStringLiteral("-");
  return QString::asprintf("%.5f", mhz);
}

// CTCSS tone in Hz, DCS code with three digits, or the two-tone decode.
QString signallingText(int option, double ctcssHz, int dcsCode, int twoToneSelect) {
  switch (option) {
    case 0:
      return QStringLiteral("NO");
    case 1:
      return QString::asprintf("%.1f", ctcssHz);
    case 2:
      return QString::asprintf("D%03d", dcsCode);
    case 3:
      switch (twoToneSelect) {
        case 0:
          return QStringLiteral("Tone A");
        case 1:
          return QStringLiteral("Tone B");
        default:
          return QStringLiteral("Both");
      }
    default:
      return QStringLiteral("?");
  }
}

}  // namespace

CMyPage4::CMyPage4(CKX200Doc& doc, QWidget* parent) : COptionPage(doc, parent) {
  auto* group = new QGroupBox(QStringLiteral("Channel Configuration"));
  table_ = new QTableWidget(kChannelCount, kHeaders.size());
  table_->setObjectName(QStringLiteral("channelTable"));
  table_->setHorizontalHeaderLabels(kHeaders);
  table_->verticalHeader()->setVisible(false);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  auto* inner = new QVBoxLayout(group);
  inner->addWidget(table_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  Refresh();
}

void CMyPage4::Refresh() {
  for (int row = 0; row < kChannelCount; ++row) {
    const ChannelRecord& ch = doc_.channels[static_cast<std::size_t>(row)];
    const QString cells[] = {
        QString::number(row + 1),
        frequencyText(ch.rxFreqMHz),
        signallingText(ch.rxOption, ch.rxCtcssHz, ch.rxDcsCode, ch.twoToneSelect),
        frequencyText(ch.txFreqMHz),
        signallingText(ch.txOption, ch.txCtcssHz, ch.txDcsCode, ch.twoToneSelect),
        ch.wide ? QStringLiteral("Wide") : QStringLiteral("Narrow"),
        ch.highPower ? QStringLiteral("High") : QStringLiteral("Low"),
        ch.scan ? QStringLiteral("ON") : QStringLiteral("OFF"),
    };
    for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(Qt::AlignCenter);
      table_->setItem(row, column, item);
    }
  }
}

void CMyPage4::ApplyModemLayout(bool ffskModemEnabled) {
  ffskModemLayout_ = ffskModemEnabled;
}

}  // namespace kx
