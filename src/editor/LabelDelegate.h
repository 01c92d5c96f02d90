#pragma once

#include <QStyledItemDelegate>

class Prompt;

// The editor of a grid's label cells: typed or pasted "@" and '"' are dropped at once with the
// error sound, the rest is kept, and every edit reaches the model as it is typed, so OK and Enter
// never miss the last keystrokes. Points to the prompt without owning it.
class LabelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit LabelDelegate(Prompt &prompt, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

private:
    Prompt &m_prompt;
};
