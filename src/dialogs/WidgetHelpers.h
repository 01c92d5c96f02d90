#pragma once

#include <QString>
#include <QToolButton>
#include <QWidget>

#include <utility>

// Small helpers the page editor's frame and tabs build their controls with.

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
