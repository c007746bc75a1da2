#include "editors/Controls.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace kx {

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

std::string text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

void SetCheckedQuietly(QAbstractButton* button, bool on) {
  const QSignalBlocker quiet(button);
  button->setChecked(on);
}

bool TechnicianLeft(const QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

QString OptionName(OptionId id) {
  const std::string_view name = Option(id).PageName();
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void AddControlRow(QGridLayout* grid, int line, const char* caption, QWidget* control,
                   const QString& name, std::initializer_list<const char*> after) {
  auto* label = new QLabel(QString::fromLatin1(caption));
  label->setBuddy(control);
  grid->addWidget(label, line, 0);
  grid->addWidget(control, line, 1);
  int column = 2;
  for (const char* note : after) {
    if (note) grid->addWidget(new QLabel(QString::fromLatin1(note)), line, column);
    ++column;
  }
  control->setAccessibleName(name);
}

}  // namespace kx
