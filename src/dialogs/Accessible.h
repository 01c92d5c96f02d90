#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// What a screen reader (and any outside test tool) reads for a control.

// A label for control: the label is its buddy (its "&" key moves the focus there), and the
// control is named by the label's text.
QLabel *labelFor(const QString &text, QWidget *control);

// Names control by text (without "&") unless it already has a name.
void nameControl(QWidget *control, const QString &text);

// A button that shows only an icon, an arrow or a symbol: named and with a tooltip saying what it does.
void describeIconButton(QAbstractButton *button, const QString &whatItDoes);
