#pragma once

#include <QDialog>

class Launcher;
class QLabel;
class QPushButton;

// The info box: product, version, release, notice and the maker's web address, which opens in
// the web browser when clicked.
class TInfoF : public QDialog
{
    Q_OBJECT

public:
    explicit TInfoF(Launcher *launcher, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Launcher *m_launcher;
    QLabel *VersionLb = nullptr;
    QLabel *ReleaseLb = nullptr;
    QLabel *WebLinkLb = nullptr;
    QPushButton *OKBtn = nullptr;
};
