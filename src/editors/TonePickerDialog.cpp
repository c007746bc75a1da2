#include "editors/TonePickerDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/ColourRef.h"
#include "model/ToneTables.h"
#include "model/ValueText.h"

namespace kx {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kCtcssColumnTwips = 1000;
constexpr int kDcsColumnTwips = 650;

template <typename Table>
constexpr int rowsOf(const Table& table, int perRow) {
  return static_cast<int>(table.size()) / perRow;
}
}  // namespace

TonePickerDialog::TonePickerDialog(const QString& caption, const QString& gridName, int rows,
                                   int columns, int columnTwips, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);

  grid_ = new QTableWidget(rows, columns, this);
  grid_->setAccessibleName(gridName);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setTabKeyNavigation(false);
  columnWidth_ = columnTwips * grid_->logicalDpiX() / kTwipsPerInch;
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    grid_->setCurrentCell(row, column);
    accept();
  });

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  connect(ok_, &QPushButton::clicked, this, &TonePickerDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TonePickerDialog::setCell(int row, int column, const QString& text,
                               std::optional<std::uint32_t> background) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(Qt::AlignCenter);
  if (background) item->setBackground(ColourOf(*background));
  grid_->setItem(row, column, item);
}

void TonePickerDialog::finishGrid() {
  const int rowHeight = grid_->fontMetrics().height() + 8;
  for (int column = 0; column < grid_->columnCount(); ++column)
    grid_->setColumnWidth(column, columnWidth_);
  for (int row = 0; row < grid_->rowCount(); ++row)
    grid_->setRowHeight(row, rowHeight);
  const int frame = 2 * grid_->frameWidth();
  grid_->setFixedSize(columnWidth_ * grid_->columnCount() + frame,
                      rowHeight * grid_->rowCount() + frame);
  grid_->setCurrentCell(0, 0);
  grid_->setFocus();
}

void TonePickerDialog::accept() {
  const QTableWidgetItem* current = grid_->currentItem();
  picked_ = current ? current->text() : QString();
  QDialog::accept();
}

CtcssPickerDialog::CtcssPickerDialog(QWidget* parent)
    : TonePickerDialog(QStringLiteral(" CTCSS"), QStringLiteral("CTCSS tones"),
                       rowsOf(CtcssToneTable, kCtcssPerPickerRow), kCtcssPerPickerRow,
                       kCtcssColumnTwips, parent) {
  for (std::size_t i = 0; i < CtcssToneTable.size(); ++i) {
    const double hz = CtcssToneTable[i];
    const int position = static_cast<int>(i);
    setCell(position / kCtcssPerPickerRow, position % kCtcssPerPickerRow,
            QString::fromStdString(value_text::CtcssCell(hz)),
            IsNonStandardCtcss(hz) ? std::optional(signalling_colour::kNonStandardCtcss)
                                   : std::nullopt);
  }
  finishGrid();
}

DcsPickerDialog::DcsPickerDialog(QWidget* parent)
    : TonePickerDialog(QStringLiteral(" DCS"), QStringLiteral("DCS codes"),
                       rowsOf(DcsCodeTable, kDcsPerPickerRow), kDcsPerPickerRow, kDcsColumnTwips,
                       parent) {
  for (std::size_t i = 0; i < DcsCodeTable.size(); ++i) {
    const int position = static_cast<int>(i);
    setCell(position / kDcsPerPickerRow, position % kDcsPerPickerRow,
            QString::fromStdString(value_text::DcsCode(DcsCodeTable[i])));
  }
  finishGrid();
}

}  // namespace kx
