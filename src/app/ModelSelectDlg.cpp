#include "app/ModelSelectDlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ToolbarIcons.h"
#include "model/KX200Doc.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {
constexpr const char* kSelectModemCondition = "Select Modem condition!";
constexpr const char* kPictureAdvice =
    "\r\n\r\n Choose the model and band written on the radio's label.\r\n";
}  // namespace

int CModelSelectDlg::ButtonCount() {
  return static_cast<int>(model::selectableTypes().size());
}

QString CModelSelectDlg::DescriptionOf(int item) {
  if (item < 1 || item > PictureItem()) return {};
  if (item == PictureItem())
    return QStringLiteral(" ") +
           QString::fromLatin1(version::kProgramLine.data(), version::kProgramLine.size()) +
           QString::fromLatin1(kPictureAdvice);
  const BandEntry& row =
      CKX200Doc::GetBand(model::selectableTypes()[static_cast<std::size_t>(item - 1)]);
  const std::string caption(row.caption);
  return QString::asprintf(
      " Click to program for %s. \r\n\r\n The band frequency is \r\n%.0f MHz to %.0f MHz.\r\n",
      caption.c_str(), row.lowMHz[0], row.highMHz[row.subBandCount > 0 ? row.subBandCount - 1 : 0]);
}

CModelSelectDlg::CModelSelectDlg(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), doc_(doc), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("SELECT MODEL"));
  setObjectName(QStringLiteral("modelSelectDialog"));
  // The OK path reads this: the modem page may be edited.
  doc_.modemCondition = modem::kConditionEditable;

  auto* layout = new QGridLayout(this);
  auto* column = new QVBoxLayout;
  for (int i = 0; i < ButtonCount(); ++i) {
    const ModelType type = model::selectableTypes()[static_cast<std::size_t>(i)];
    auto* button =
        new QPushButton(QString::fromUtf8(std::string(CKX200Doc::GetBand(type).caption).c_str()));
    button->setObjectName(QStringLiteral("modelButton%1").arg(i));
    button->setMinimumSize(130, 44);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, type] { choose(type); });
    column->addWidget(button);
    buttons_.push_back(button);
  }
  column->addStretch(1);
  layout->addLayout(column, 0, 0, 2, 1);

  picture_ = new QLabel;
  picture_->setPixmap(MakeToolPixmap(ToolIcon::Application, 96));
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumHeight(92);
  picture_->installEventFilter(this);
  layout->addWidget(picture_, 0, 1);

  description_ = new QPlainTextEdit;
  description_->setReadOnly(true);
  description_->setObjectName(QStringLiteral("modelDescription"));
  description_->setMinimumSize(200, 110);
  layout->addWidget(description_, 1, 1);
}

QString CModelSelectDlg::Description() const {
  return description_->toPlainText();
}

void CModelSelectDlg::describe(int item) {
  if (item == describedItem_) return;
  describedItem_ = item;
  description_->setPlainText(DisplayText(DescriptionOf(item)));
}

bool CModelSelectDlg::eventFilter(QObject* watched, QEvent* event) {
  // Leaving every item keeps the last description.
  if (event->type() == QEvent::Enter) {
    if (watched == picture_) describe(PictureItem());
    for (int i = 0; i < ButtonCount(); ++i) {
      if (watched == buttons_[static_cast<std::size_t>(i)]) describe(i + 1);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CModelSelectDlg::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool onButton =
      std::find(buttons_.begin(), buttons_.end(), focusWidget()) != buttons_.end();
  if (enter && !onButton) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CModelSelectDlg::choose(ModelType type) {
  done(QDialog::Accepted);
  if (onModelChosen) onModelChosen(type);
}

void CModelSelectDlg::accept() {
  if (doc_.modemCondition != modem::kConditionLocked &&
      doc_.modemCondition != modem::kConditionEditable) {
    dialogs_.Message(this, QString::fromLatin1(kSelectModemCondition), NoticeKind::kWarning);
    return;
  }
  QDialog::accept();
  if (onAccepted) onAccepted();
}

}  // namespace kx
