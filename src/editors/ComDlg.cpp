#include "editors/ComDlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/ChangeMapDlg.h"
#include "editors/ColourRef.h"
#include "editors/Controls.h"
#include "editors/EngSettingsDlg.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/MemoryMapNames.h"
#include "model/RadioMemory.h"
#include "model/ToneTables.h"

namespace kx {

namespace {

constexpr std::uint32_t kUnchanged = 0xFFFFFF;
constexpr std::uint32_t kChanged = signalling_colour::kNonStandardCtcss;  // the same light pink
constexpr int kTwipsPerInch = 1440;
constexpr int kLabelColumnTwips = 760;
constexpr int kByteColumnTwips = 570;

// A wait cursor and no repainting while the whole grid is rewritten.
class GridUpdate {
 public:
  explicit GridUpdate(QTableWidget* grid) : grid_(grid) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    grid_->setUpdatesEnabled(false);
  }
  ~GridUpdate() {
    grid_->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
  }
  GridUpdate(const GridUpdate&) = delete;
  GridUpdate& operator=(const GridUpdate&) = delete;

 private:
  QTableWidget* grid_;
};

}  // namespace

CComDlg::CComDlg(CKX200Doc& doc, RadioMemory& memory, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent),
      runDialog([](QDialog& dialog) { return dialog.exec(); }),
      memory_(memory),
      dialogs_(dialogs) {
  auto* group = new QGroupBox(QStringLiteral(" EEPROM MAP "));
  grid_ = new QTableWidget(map_text::kRows, map_text::kColumns);
  grid_->setObjectName(QStringLiteral("mapGrid"));
  grid_->setAccessibleName(QStringLiteral("EEPROM map"));
  grid_->setFont(QFont(QStringLiteral("Arial")));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  QStringList columns;
  for (int column = 0; column < map_text::kColumns; ++column)
    columns << text(map_text::Label(column));
  QStringList rows;
  for (int row = 0; row < map_text::kRows; ++row)
    rows << text(map_text::Label(row));
  grid_->setHorizontalHeaderLabels(columns);
  grid_->setVerticalHeaderLabels(rows);
  const int dpi = logicalDpiX();
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->verticalHeader()->setFixedWidth(kLabelColumnTwips * dpi / kTwipsPerInch);
  grid_->horizontalHeader()->setDefaultSectionSize(kByteColumnTwips * dpi / kTwipsPerInch);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // All 26 rows on the screen at once, the grid as wide as its columns.
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setFixedWidth(grid_->verticalHeader()->width() +
                       map_text::kColumns * grid_->horizontalHeader()->defaultSectionSize() +
                       2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width());
  grid_->setMaximumHeight(grid_->horizontalHeader()->sizeHint().height() +
                          map_text::kRows * grid_->verticalHeader()->defaultSectionSize() +
                          2 * grid_->frameWidth());
  connect(grid_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int column) { EditByte(row, column); });

  // "Clear Changes" frames both buttons.
  auto* buttonsBox = new QGroupBox(QStringLiteral("Clear Changes"));
  clear_ = new QPushButton(QStringLiteral("Clear Changes"));
  settings_ = new QPushButton(QStringLiteral("Show Settings"));
  connect(clear_, &QPushButton::clicked, this, [this] { ClearMapChanges(); });
  connect(settings_, &QPushButton::clicked, this, [this] { ShowSettings(); });
  auto* buttons = new QVBoxLayout(buttonsBox);
  buttons->addWidget(clear_);
  buttons->addWidget(settings_);
  buttons->addStretch(1);

  auto* inner = new QHBoxLayout(group);
  inner->addWidget(grid_);
  inner->addWidget(buttonsBox, 0, Qt::AlignTop);
  inner->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);

  EncodeImage(doc_, memory_);
  memory_.applyPendingEdits();
  FillMapGrid();
  memory_.markShown();
}

void CComDlg::showByte(std::size_t address, bool marked) {
  auto* item = new QTableWidgetItem(text(map_text::Byte(memory_.working[address])));
  item->setTextAlignment(Qt::AlignCenter);
  item->setBackground(ColourOf(marked ? kChanged : kUnchanged));
  item->setToolTip(text(image::DescribeAddress(address)));
  grid_->setItem(static_cast<int>(address / 16), static_cast<int>(address % 16), item);
}

void CComDlg::FillMapGrid() {
  const GridUpdate update(grid_);
  for (std::size_t at = 0; at < image::kSize; ++at)
    showByte(at, false);
}

void CComDlg::RefreshMapGrid(MapMarking marking) {
  const GridUpdate update(grid_);
  for (std::size_t at : memory_.changedSinceShown())
    showByte(at, marking == MapMarking::kChanged);
  memory_.markShown();
}

void CComDlg::ClearMapChanges() {
  const GridUpdate update(grid_);
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int column = 0; column < grid_->columnCount(); ++column) {
      if (QTableWidgetItem* item = grid_->item(row, column))
        item->setBackground(ColourOf(kUnchanged));
    }
  }
  memory_.markShown();
}

void CComDlg::EditByte(int row, int column) {
  if (row < 0 || row >= map_text::kRows || column < 0 || column >= map_text::kColumns) return;
  const auto address = static_cast<std::size_t>(row * map_text::kColumns + column);
  CChangeMapDlg dialog(doc_, memory_, dialogs_, address, this);
  if (runDialog(dialog) != QDialog::Accepted || !dialog.Editor().Confirm()) return;
  ApplyMapEdit(doc_, memory_, address, dialog.Editor().Value());
  // The cell keeps its colour; the next refresh marks the byte as changed.
  if (QTableWidgetItem* item = grid_->item(row, column))
    item->setText(text(map_text::Byte(memory_.working[address])));
}

void CComDlg::ShowSettings() {
  CEngSettingsDlg dialog(memory_.working, this);
  runDialog(dialog);
}

}  // namespace kx
