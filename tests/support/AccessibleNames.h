#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

// The controls below root that a screen reader would read without a name: every button, edit,
// spin box and list or grid needs one (its caption, its label as buddy, or an accessible name).
// Each is listed by its object name.
inline QStringList controlsWithoutAccessibleName(const QWidget &root)
{
    QStringList nameless;
    for (QWidget *w : root.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                             qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractItemView *>(w) ||
                             qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w);
        // Parts Qt builds inside a control (a spin box's edit, a view's header buttons) are read
        // with their control.
        if (!control || w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            nameless << w->objectName();
    }
    return nameless;
}
