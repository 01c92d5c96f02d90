#include "editor/LabelDelegate.h"

#include "page/PageDocument.h"
#include "text/Guard.h"
#include "text/Prompt.h"

#include <QLineEdit>

LabelDelegate::LabelDelegate(Prompt &prompt, QObject *parent) : QStyledItemDelegate(parent), m_prompt(prompt) {}

QWidget *LabelDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return editor;
    // Qt's createEditor is const; the delegate's own commitData signal is not.
    auto *self = const_cast<LabelDelegate *>(this);
    connectGuarded(m_prompt, edit, &QLineEdit::textEdited, self, [this, self, edit](const QString &typed) {
        bool refused = false;
        const QString accepted = acceptedLabel(typed, &refused);
        if (refused) {
            // The cursor stays behind the last character kept.
            const int cursor = int(acceptedLabel(typed.left(edit->cursorPosition())).size());
            edit->setText(accepted);
            edit->setCursorPosition(cursor);
            m_prompt.beep();
        }
        emit self->commitData(edit);
    });
    return editor;
}

void LabelDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The model echoes every committed keystroke; setting the same text again would move the cursor.
    const auto *edit = qobject_cast<QLineEdit *>(editor);
    if (edit && edit->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}
