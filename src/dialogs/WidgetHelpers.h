#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <initializer_list>
#include <utility>

class QAbstractButton;
class QLabel;

// Small helpers the windows build their controls with.

// What a screen reader (and any outside test tool) reads for a control.

// A label for control: the label is its buddy (its "&" key moves the focus there), and the
// control is named by the label's text.
QLabel *labelFor(const QString &text, QWidget *control);

// Names control by text (without "&") unless it already has a name.
void nameControl(QWidget *control, const QString &text);

// A button that shows only an icon, an arrow or a symbol: named and with a tooltip saying what it does.
void describeIconButton(QAbstractButton *button, const QString &whatItDoes);

// A new widget of type T with objectName name; args go to T's constructor.
template <typename T, typename... Args> T *named(const QString &name, Args &&...args)
{
    auto *widget = new T(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

// An icon-only tool button showing arrow; what it does is its tooltip and its accessible name.
inline QToolButton *arrowButton(const QString &name, Qt::ArrowType arrow, const QString &action)
{
    auto *button = named<QToolButton>(name);
    button->setArrowType(arrow);
    describeIconButton(button, action);
    return button;
}

// The fixed browser width's controls (its field and caption) usable or greyed as the rule says.
inline void enableFixedWidth(bool usable, std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls)
        control->setEnabled(usable);
}

// Whether a focus move from one widget to another enters control (or a child of it, such as a
// grid's cell editor) from outside it.
inline bool focusEnters(const QWidget *from, const QWidget *to, const QWidget *control)
{
    const auto inside = [control](const QWidget *widget) {
        return widget && (widget == control || control->isAncestorOf(widget));
    };
    return inside(to) && !inside(from);
}

// Whether a focus move from one widget to another leaves control (and its children).
inline bool focusLeaves(const QWidget *from, const QWidget *to, const QWidget *control)
{
    return focusEnters(to, from, control);
}

// The row of the view's current entry when it is also selected, else -1. An operation on "the
// selected entry" uses this: a view can have a current entry that is not selected (the focus
// moved into it by Tab, or the selection was cleared), and the user sees nothing chosen then.
inline int selectedRow(const QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    return current.isValid() && view->selectionModel()->isSelected(current) ? current.row() : -1;
}
