#pragma once

#include <QString>
#include <initializer_list>
#include <string>

#include "model/RadioOptions.h"

class QAbstractButton;
class QEvent;
class QGridLayout;
class QLineEdit;
class QWidget;

// What every page and dialog does with its controls the same way.
namespace kx {

// The core's UTF-8 texts in a control, and a line edit's text for the core.
QString text(const std::string& s);
std::string text(const QLineEdit* edit);

// Shows a state without the control telling anyone it changed.
void SetCheckedQuietly(QAbstractButton* button, bool on);

// Whether an event is the technician leaving a control: it lost the focus, and not to a
// message box or a menu, nor because the window did.
bool TechnicianLeft(const QEvent* event);

// The label of the control that edits an option, from the options' table (the name its undo
// steps take and a screen reader speaks).
QString OptionName(OptionId id);

// One line of a grid: the caption in column 0 (the control's buddy), the control, then its
// unit and any further note in the columns after. A screen reader names the control name.
void AddControlRow(QGridLayout* grid, int line, const char* caption, QWidget* control,
                   const QString& name, std::initializer_list<const char*> after = {});

}  // namespace kx
