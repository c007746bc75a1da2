#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kx {

// "Read/Write": the status line and the 0..416 byte progress of a radio read or write. While the
// transfer runs it holds the user's input (nothing else of the program can be touched), cannot
// be closed and offers only Stop; afterwards OK closes it.
class CReadWriteDlg : public QDialog {
 public:
  static constexpr int kImageBytes = 416;

  explicit CReadWriteDlg(QWidget* parent = nullptr);

  void SetStatus(const QString& text);
  void SetProgress(int position);
  void SetBusy(bool busy);
  bool Busy() const { return busy_; }

  QString Status() const;
  int Progress() const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* StopButton() const { return stop_; }
  // Asked for by Stop while busy.
  std::function<void()> onStop;

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* status_;
  QProgressBar* bar_;
  QPushButton* ok_;
  QPushButton* stop_;
  bool busy_ = false;
};

}  // namespace kx
