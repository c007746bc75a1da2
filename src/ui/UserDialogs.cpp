#include "ui/UserDialogs.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "model/KX200Doc.h"

namespace kx {

namespace {
QString boxTitle() {
  return QString::fromUtf8(CKX200Doc::kWindowTitle.data(), CKX200Doc::kWindowTitle.size());
}

}  // namespace

void UserDialogs::ShowMessages(QWidget* parent, const std::vector<Notice>& messages) {
  for (const auto& notice : messages)
    Show(parent, notice);
}

QString DisplayText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QString DisplayText(const std::string& text) {
  return DisplayText(QString::fromStdString(text));
}

QStringList QtNameFilters(const char* windowsFilter) {
  // Name and pattern alternate between the bars; an empty name ends the list.
  const QStringList parts = QString::fromLatin1(windowsFilter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
    if (name.isEmpty()) break;
    // Qt takes the patterns from the parentheses at the end of the name.
    if (const qsizetype open = name.lastIndexOf(QLatin1Char('(')); open >= 0)
      name = name.left(open).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(name, patterns);
  }
  return filters;
}

namespace {

// A message box wraps its text at about half the screen, at most 500 pixels, less its icon
// and margins; counted narrower, so a cut text never comes out taller than reckoned.
int wrapWidth(const QScreen& screen) {
  return std::min(screen.availableGeometry().width() / 2, 500) - 120;
}

// The screen lines a line of text takes once wrapped at width.
int screenLines(const QFontMetrics& metrics, const QString& line, int width) {
  return std::max(1, (metrics.horizontalAdvance(line) + width - 1) / width);
}

int screenLines(const QFontMetrics& metrics, const QStringList& lines, int width) {
  int total = 0;
  for (const QString& line : lines)
    total += screenLines(metrics, line, width);
  return total;
}

// The lines of text that take at most budget screen lines: the first ones, a line saying how
// many more there are, and the last one, which sums a list up ("nothing was imported"). The
// text as it is when it fits.
QString cutToFit(const QString& text, int budget, const QFontMetrics& metrics, int width) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  const auto linesOf = [&](const QString& line) { return screenLines(metrics, line, width); };
  if (screenLines(metrics, lines, width) <= budget) return text;
  // A single line too long for the box is shown in part.
  const auto fitted = [&](const QString& line, int room) {
    return linesOf(line) <= room
               ? line
               : metrics.elidedText(line, Qt::ElideRight, width * std::max(1, room) - width / 2);
  };
  const QString last = fitted(lines.back(), lines.size() == 1 ? budget : budget / 3);
  int used = 1 + linesOf(last);  // the count of the rest and the last line
  QStringList shown;
  for (qsizetype i = 0; i + 1 < lines.size() && used + linesOf(lines[i]) <= budget; ++i) {
    shown << lines[i];
    used += linesOf(lines[i]);
  }
  if (shown.isEmpty() && lines.size() > 1) shown << fitted(lines.front(), budget - used);
  const qsizetype rest = lines.size() - 1 - shown.size();
  if (rest > 0)
    shown << QStringLiteral("... and %1 more (Show Details... lists them all)").arg(rest);
  shown << last;
  return shown.join(QLatin1Char('\n'));
}

}  // namespace

void QtUserDialogs::Show(QWidget* parent, const Notice& notice) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                 QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(notice.kind)], boxTitle(), {}, QMessageBox::Ok, parent);
  const QString text = DisplayText(notice.text);
  const QString detail = DisplayText(notice.detail);
  // A list of thousands of refusals must not push OK off the screen: the text is cut to the
  // lines that fit, with the count of the rest, and the whole of it goes into the box's
  // scrollable details. The budget leaves room for the title, the buttons and the details.
  const QScreen* screen =
      parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
  const QFontMetrics metrics(box.font());
  const int width = wrapWidth(*screen);
  const int budget = std::clamp(
      (screen->availableGeometry().height() - kBoxChrome) / metrics.lineSpacing() - kDetailsLines,
      kFewestLines, kMostLines);
  const QString shownDetail = cutToFit(detail, budget / 3, metrics, width);
  const int detailLines =
      detail.isEmpty() ? 0 : screenLines(metrics, shownDetail.split(QLatin1Char('\n')), width);
  const QString shownText = cutToFit(text, budget - detailLines, metrics, width);
  box.setText(shownText);
  if (!detail.isEmpty()) box.setInformativeText(shownDetail);
  if (shownText != text || shownDetail != detail)
    box.setDetailedText(detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail);
  box.exec();
}

bool QtUserDialogs::AskYesNo(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, boxTitle(), DisplayText(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtUserDialogs::AskSaveDiscardCancel(QWidget* parent, const QString& text) {
  const auto answer = QMessageBox::question(
      parent, boxTitle(), DisplayText(text),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveChoice::kSave;
  if (answer == QMessageBox::Discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

std::optional<QString> QtUserDialogs::OpenFileName(QWidget* parent, const QStringList& filters) {
  QFileDialog dialog(parent, QObject::tr("Load"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtUserDialogs::SaveFileName(QWidget* parent, const QStringList& filters,
                                                   const QString& defaultSuffix) {
  QFileDialog dialog(parent, QObject::tr("Save"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtUserDialogs::AskText(QWidget* parent, const QString& title,
                                              const QString& label, const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace kx
