#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "model/Outcome.h"

class QWidget;

namespace kx {

// The answers to a question about unsaved work.
enum class SaveChoice { kSave, kDiscard, kCancel };

// Every message box, question and file dialog of the program goes through one of these, so a
// test can read what the technician would have been told and give the answer it wants.
// Texts may carry the radio software's "\r\n" line breaks; they are shown as line breaks.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A message with an OK button, its icon by its kind, the system's reason (if any) under it.
  virtual void Show(QWidget* parent, const Notice& notice) = 0;
  void Message(QWidget* parent, const QString& text, NoticeKind kind = NoticeKind::kInformation) {
    Show(parent, Notice{text.toStdString(), kind, {}});
  }
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
  // A question with Save, Discard and Cancel.
  virtual SaveChoice AskSaveDiscardCancel(QWidget* parent, const QString& text) = 0;
  // The open and save dialogs. filter is a list of "Name (*.a *.b)" entries; nothing when
  // cancelled. The save dialog adds defaultSuffix to a name without an extension and asks
  // before replacing an existing file.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QStringList& filters) = 0;
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QStringList& filters,
                                              const QString& defaultSuffix) = 0;
  // One line of text (a device path, say); nothing when cancelled.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title,
                                         const QString& label, const QString& initial) = 0;

  // Each message of a core outcome in its own box, in order.
  void ShowMessages(QWidget* parent, const std::vector<Notice>& messages);
};

// "\r\n" and lone "\r" as the line breaks Qt shows.
QString DisplayText(const QString& text);
QString DisplayText(const std::string& text);
// A file dialog filter in the radio software's "Name | pattern|Name|pattern||" form as Qt's
// name filters: "Data Files (*.dat) | *.dat||" gives "Data Files (*.dat)".
QStringList QtNameFilters(const char* windowsFilter);

// Real dialogs on the screen. A message too long for the screen shows its first lines and the
// count of the rest, the whole of it in the box's scrollable details.
class QtUserDialogs : public UserDialogs {
 public:
  // Pixels of a message box that are not its text (title, margins, buttons), the lines the
  // opened details take, and the bounds of the lines a box shows.
  static constexpr int kBoxChrome = 160;
  static constexpr int kDetailsLines = 12;
  static constexpr int kFewestLines = 4;
  static constexpr int kMostLines = 40;

  void Show(QWidget* parent, const Notice& notice) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
  SaveChoice AskSaveDiscardCancel(QWidget* parent, const QString& text) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QStringList& filters) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QStringList& filters,
                                      const QString& defaultSuffix) override;
  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                 const QString& initial) override;
};

}  // namespace kx
