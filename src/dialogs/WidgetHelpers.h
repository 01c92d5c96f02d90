#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <utility>

// Small helpers the windows build their controls with.

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
    button->setToolTip(action);
    button->setAccessibleName(action);
    return button;
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
