#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "ui/UserDialogs.h"

namespace kx {

// Answers from a script and a record of everything asked, for tests. A question or dialog the
// script has no answer for gets No or Cancel.
class ScriptedUserDialogs : public UserDialogs {
 public:
  void Show(QWidget*, const Notice& notice) override {
    messages.push_back(QString::fromStdString(notice.text));
    notices.push_back(notice);
  }
  bool AskYesNo(QWidget*, const QString& text) override {
    questions.push_back(text);
    return take(yesNoAnswers).value_or(false);
  }
  SaveChoice AskSaveDiscardCancel(QWidget*, const QString& text) override {
    questions.push_back(text);
    return take(saveAnswers).value_or(SaveChoice::kCancel);
  }
  std::optional<QString> OpenFileName(QWidget*, const QStringList& filters) override {
    openFilters.push_back(filters);
    return named(take(fileAnswers));
  }
  std::optional<QString> SaveFileName(QWidget*, const QStringList& filters,
                                      const QString&) override {
    saveFilters.push_back(filters);
    return named(take(fileAnswers));
  }
  std::optional<QString> AskText(QWidget*, const QString&, const QString& label,
                                 const QString&) override {
    questions.push_back(label);
    return named(take(textAnswers));
  }

  // Texts as the program passed them (with "\r\n"), in order; the whole notices beside them.
  std::vector<QString> messages;
  std::vector<Notice> notices;
  std::vector<QString> questions;
  std::vector<QStringList> openFilters;
  std::vector<QStringList> saveFilters;

  // Answers in the order asked; a null QString() cancels.
  std::deque<bool> yesNoAnswers;
  std::deque<SaveChoice> saveAnswers;  // Save / Discard / Cancel
  std::deque<QString> fileAnswers;     // for open and save alike
  std::deque<QString> textAnswers;

 private:
  template <typename T>
  static std::optional<T> take(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
  static std::optional<QString> named(std::optional<QString> answer) {
    if (answer && answer->isNull()) return std::nullopt;
    return answer;
  }
};

}  // namespace kx
