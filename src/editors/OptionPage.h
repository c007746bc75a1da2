#pragma once

#include <QWidget>

namespace kx {

class CKX200Doc;

// What the option sheet and the main form need of every page: a way to show the document
// again after it changed underneath the page (New, Load, a radio read, a model choice).
class COptionPage : public QWidget {
 public:
  explicit COptionPage(CKX200Doc& doc, QWidget* parent = nullptr) : QWidget(parent), doc_(doc) {}
  // Reloads every control from the document.
  virtual void Refresh() = 0;

 protected:
  CKX200Doc& doc_;
};

}  // namespace kx
