#include "editors/ComDlg.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/ImageCodec.h"
#include "model/KX200Doc.h"

namespace kx {

namespace {
constexpr int kRows = static_cast<int>(image::kSize / 16);  // 26, labelled 0 .. 19
const QColor kUnchanged(0xFF, 0xFF, 0xFF);
const QColor kChanged(0xFF, 0xCC, 0xFF);  // light pink

QTableWidgetItem* byteItem(std::uint8_t value) {
  auto* item = new QTableWidgetItem(QString::asprintf("%02X", value));
  item->setTextAlignment(Qt::AlignCenter);
  item->setBackground(kUnchanged);
  return item;
}
}  // namespace

CComDlg::CComDlg(CKX200Doc& doc, RadioMemory& memory, QWidget* parent)
    : COptionPage(doc, parent), memory_(memory) {
  auto* group = new QGroupBox(QStringLiteral(" EEPROM MAP "));
  grid_ = new QTableWidget(kRows, 16);
  grid_->setObjectName(QStringLiteral("mapGrid"));
  grid_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QStringList columns;
  for (int column = 0; column < 16; ++column)
    columns << QString::asprintf("%X", column);
  QStringList rows;
  for (int row = 0; row < kRows; ++row)
    rows << QString::asprintf("%X", row);
  grid_->setHorizontalHeaderLabels(columns);
  grid_->setVerticalHeaderLabels(rows);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

  auto* clear = new QPushButton(QStringLiteral("Clear Changes"));
  connect(clear, &QPushButton::clicked, this, [this] { ClearMapChanges(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(clear);

  auto* inner = new QVBoxLayout(group);
  inner->addWidget(grid_);
  inner->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);

  EncodeImage(doc_, memory_);
  FillMapGrid();
  memory_.shown = memory_.working;
}

void CComDlg::FillMapGrid() {
  for (std::size_t at = 0; at < image::kSize; ++at)
    grid_->setItem(static_cast<int>(at / 16), static_cast<int>(at % 16),
                   byteItem(memory_.working[at]));
}

void CComDlg::RefreshMapGrid(int mode) {
  for (std::size_t at = 0; at < image::kSize; ++at) {
    if (memory_.shown[at] == memory_.working[at]) continue;
    QTableWidgetItem* item = byteItem(memory_.working[at]);
    if (mode == 1) item->setBackground(kChanged);
    if (mode == 0 || mode == 1)
      grid_->setItem(static_cast<int>(at / 16), static_cast<int>(at % 16), item);
    else
      delete item;
  }
  memory_.shown = memory_.working;
}

void CComDlg::ClearMapChanges() {
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int column = 0; column < grid_->columnCount(); ++column) {
      if (QTableWidgetItem* item = grid_->item(row, column)) item->setBackground(kUnchanged);
    }
  }
  memory_.shown = memory_.working;
}

}  // namespace kx
