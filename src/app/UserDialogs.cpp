#include "app/UserDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "model/KX200Doc.h"

namespace kx {

namespace {
QString boxTitle() {
  return QString::fromUtf8(CKX200Doc::kWindowTitle.data(), CKX200Doc::kWindowTitle.size());
}

bool takeAnswer(std::deque<bool>& answers) {
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QString> takeAnswer(std::deque<QString>& answers) {
  if (answers.empty()) return std::nullopt;
  const QString answer = answers.front();
  answers.pop_front();
  if (answer.isNull()) return std::nullopt;
  return answer;
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

void QtUserDialogs::Show(QWidget* parent, const Notice& notice) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                 QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(notice.kind)], boxTitle(), DisplayText(notice.text),
                  QMessageBox::Ok, parent);
  if (!notice.detail.empty()) box.setInformativeText(DisplayText(notice.detail));
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

void ScriptedUserDialogs::Show(QWidget*, const Notice& notice) {
  messages.push_back(QString::fromStdString(notice.text));
  notices.push_back(notice);
}

bool ScriptedUserDialogs::AskYesNo(QWidget*, const QString& text) {
  questions.push_back(text);
  return takeAnswer(yesNoAnswers);
}

SaveChoice ScriptedUserDialogs::AskSaveDiscardCancel(QWidget*, const QString& text) {
  questions.push_back(text);
  if (saveAnswers.empty()) return SaveChoice::kCancel;
  const SaveChoice answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::optional<QString> ScriptedUserDialogs::OpenFileName(QWidget*, const QStringList& filters) {
  openFilters.push_back(filters);
  return takeAnswer(fileAnswers);
}

std::optional<QString> ScriptedUserDialogs::SaveFileName(QWidget*, const QStringList& filters,
                                                         const QString&) {
  saveFilters.push_back(filters);
  return takeAnswer(fileAnswers);
}

std::optional<QString> ScriptedUserDialogs::AskText(QWidget*, const QString&, const QString& label,
                                                    const QString&) {
  questions.push_back(label);
  return takeAnswer(textAnswers);
}

}  // namespace kx
