#pragma once

#include "page/SiteData.h"

#include <QWidget>

#include <vector>

class CheckOrderList;
class ColourPanel;
class PageEditSession;
class Prompt;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TSpinEdit;
class TextStylePanel;

// The page editor's tab "Seitenlayout": the page name, the headline with its style, the styles and
// widths of the object table's columns, the page background, the table's spacings, the general
// options with the automatic refresh, and the build order. Every value goes to the page session as
// it is edited. Owns its controls; points to the session and the prompt without owning them.
class SeitenLayoutTab : public QWidget
{
    Q_OBJECT

public:
    SeitenLayoutTab(PageEditSession &session, Prompt &prompt, QWidget *parent = nullptr);
    ~SeitenLayoutTab() override;

    // Shows the layout values, styles and build order of a page just begun.
    void loadFromModel();
    // Shows them again after the page changed behind the tab's back (undo, redo).
    void reloadPage();
    // Shows the automatic refresh as the page holds it (ticked, usable); the other tabs and saving
    // change it behind this tab's back.
    void showAutoRefresh();

    // The focus moved from one control of the window to another.
    void focusMoved(QWidget *from, QWidget *to);

    // The page name field; its handlers belong to the window.
    QLineEdit *pageNameEdit() const { return PageNameEdt; }

private:
    // A value control of the tab and the layout value it edits.
    struct NumberControl
    {
        TSpinEdit *control;
        qint32 TSiteData::*field;
    };

    void buildHeadline();
    void buildObjekte();
    void buildBackground();
    void buildSizes();
    void buildGeneral();
    void buildPagePos();
    void buildLayout();
    void connectHandlers();
    TSpinEdit *numberControl(const QString &name, qint32 TSiteData::*field);

    void PageHeadEdtExit();
    void HeadlineGBEnter();
    void ObjektGBEnter();
    void BackgroundEnter();
    void ColBGPnlClick();
    void PagePosUpBtnClick();
    void PagePosDownBtnClick();
    // An entry dragged from position from and dropped to take position to.
    void PagePosLBDragDrop(int from, int to);
    void AutoHandyDetectCBClick();
    void AutoAktCBClick();
    // The fixed width's controls greyed while the page adapts to mobile devices.
    void showFixedWidthRule();

    PageEditSession &m_session;
    Prompt &m_prompt;
    std::vector<NumberControl> m_numbers;

    QLineEdit *PageNameEdt = nullptr;
    QGroupBox *HeadlineGB = nullptr;
    QLineEdit *PageHeadEdt = nullptr;
    TSpinEdit *LeftMarginHeadlineSE = nullptr;
    TextStylePanel *m_headStyle = nullptr; // HeadFontPnl, HeadFontBtn, HeadBGColBtn
    QGroupBox *ObjektGB = nullptr;
    TextStylePanel *m_objektStyle = nullptr; // ObjektFontPnl, ObjektFontBtn, ObjektBGColBtn
    TextStylePanel *m_valueStyle = nullptr;  // ValueFontPnl, ValueFontBtn, ValueBGColBtn
    TSpinEdit *ObjBreiteSE = nullptr;
    TSpinEdit *WertBreiteSE = nullptr;
    TSpinEdit *InputWidthSE = nullptr;
    TSpinEdit *LeftMarginObjSE = nullptr;
    QGroupBox *Background = nullptr;
    ColourPanel *ColBGPnl = nullptr;
    QGroupBox *SizesGB = nullptr;
    QGroupBox *GeneralBox = nullptr;
    QCheckBox *AutoHandyDetectCB = nullptr;
    QCheckBox *NoAutoScaleCB = nullptr;
    QLabel *FixWidthLb = nullptr;
    TSpinEdit *BrowserWidthSE = nullptr;
    QCheckBox *AutoAktCB = nullptr;
    TSpinEdit *AutoAktSecSE = nullptr;
    QGroupBox *PagePosGB = nullptr;
    CheckOrderList *PagePosLB = nullptr;
    QToolButton *PagePosUpBtn = nullptr;
    QToolButton *PagePosDownBtn = nullptr;
};
