#pragma once

#include <QLocale>
#include <QWidget>

class PageEditSession;
class QPushButton;
class QTextEdit;

// The tab "Datei-Ansicht": the page file exactly as OK would write it now, read-only, with tags,
// keys and values in their own colours, the link separators visible and a note on every line that
// would not read back as written. "Kopieren" puts the file's text on the clipboard.
class FileViewTab : public QWidget
{
    Q_OBJECT

public:
    explicit FileViewTab(const PageEditSession &session, QWidget *parent = nullptr);

    void refresh();
    // The file's lines as they would be written, joined by line breaks.
    QString fileText() const { return m_text; }
    QTextEdit *view() const { return m_view; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void copyToClipboard();

    const PageEditSession &m_session;
    QTextEdit *m_view = nullptr;
    QPushButton *m_copyButton = nullptr;
    QString m_text;
};
