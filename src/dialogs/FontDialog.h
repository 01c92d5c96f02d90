#pragma once

#include "text/Prompt.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The font dialog of the page's text styles: face, size, the four style attributes and the text
// colour, each shown as the page holds it. A face that is not installed keeps its name (the
// preview shows a substitute), so whatever the user does not change comes back as it was; Qt's
// own font dialog would offer the nearest installed face and style instead.
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for a colour starting at the one given; false when cancelled.
    using ColourChooser = std::function<bool(TColor &)>;

    FontDialog(const Prompt::FontChoice &start, ColourChooser chooseColour, QWidget *parent = nullptr);

    // The style as the controls show it now.
    Prompt::FontChoice choice() const;

private:
    void FaceCBChange();
    void ColourBtnClick();
    void showPreview();

    Prompt::FontChoice m_start;
    TColor m_colour;
    ColourChooser m_chooseColour;

    QFontComboBox *FaceCB = nullptr;
    QLabel *MissingFaceLb = nullptr;
    QSpinBox *SizeSE = nullptr;
    QCheckBox *BoldCB = nullptr;
    QCheckBox *ItalicCB = nullptr;
    QCheckBox *UnderlineCB = nullptr;
    QCheckBox *StrikeOutCB = nullptr;
    QPushButton *ColourBtn = nullptr;
    QLabel *PreviewLb = nullptr;
};
