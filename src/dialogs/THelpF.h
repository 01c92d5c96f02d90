#pragma once

#include <QDialog>

class QTextBrowser;

// The manual: German HTML pages shipped inside the program, shown in a window of their own.
class THelpF : public QDialog
{
    Q_OBJECT

public:
    explicit THelpF(QWidget *parent = nullptr);

    // Shows the manual at the chapter of anchor (empty: its first page).
    void showChapter(const QString &anchor);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};
