#include "dialogs/FontDialog.h"

#include "dialogs/WidgetHelpers.h"
#include "dialogs/StyleConversions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
// The page's style bits.
constexpr qint32 Bold = 1;
constexpr qint32 Italic = 2;
constexpr qint32 Underline = 4;
constexpr qint32 StrikeOut = 8;

bool isInstalled(const QString &face)
{
    return QFontDatabase::families().contains(face, Qt::CaseInsensitive);
}
} // namespace

FontDialog::FontDialog(const Prompt::FontChoice &start, ColourChooser chooseColour, QWidget *parent)
    : QDialog(parent), m_start(start), m_colour(start.colour), m_chooseColour(std::move(chooseColour))
{
    setObjectName(u"FontDialog"_s);
    setWindowTitle(u"Schriftart"_s);

    FaceCB = new QFontComboBox;
    FaceCB->setObjectName(u"FaceCB"_s);
    FaceCB->setInsertPolicy(QComboBox::NoInsert);
    // The page's face as it is written, installed or not.
    FaceCB->setEditText(start.face);
    MissingFaceLb = new QLabel;
    MissingFaceLb->setObjectName(u"MissingFaceLb"_s);
    MissingFaceLb->setWordWrap(true);
    SizeSE = new QSpinBox;
    SizeSE->setObjectName(u"SizeSE"_s);
    SizeSE->setRange(1, 999);
    SizeSE->setValue(std::max<qint32>(1, start.size));
    BoldCB = new QCheckBox(u"&Fett"_s);
    BoldCB->setObjectName(u"BoldCB"_s);
    ItalicCB = new QCheckBox(u"&Kursiv"_s);
    ItalicCB->setObjectName(u"ItalicCB"_s);
    UnderlineCB = new QCheckBox(u"&Unterstrichen"_s);
    UnderlineCB->setObjectName(u"UnderlineCB"_s);
    StrikeOutCB = new QCheckBox(u"&Durchgestrichen"_s);
    StrikeOutCB->setObjectName(u"StrikeOutCB"_s);
    BoldCB->setChecked(start.style & Bold);
    ItalicCB->setChecked(start.style & Italic);
    UnderlineCB->setChecked(start.style & Underline);
    StrikeOutCB->setChecked(start.style & StrikeOut);
    ColourBtn = new QPushButton(u"Schrift&farbe..."_s);
    ColourBtn->setObjectName(u"ColourBtn"_s);
    ColourBtn->setToolTip(u"Farbe des Textes wählen"_s);
    PreviewLb = new QLabel(u"AaBbYyZz ÄäÖöÜüß 0123"_s);
    PreviewLb->setObjectName(u"PreviewLb"_s);
    PreviewLb->setAlignment(Qt::AlignCenter);
    PreviewLb->setMinimumSize(320, 64);
    PreviewLb->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PreviewLb->setAutoFillBackground(true);
    nameControl(PreviewLb, u"Vorschau"_s);

    auto *styles = new QGroupBox(u"Darstellung"_s);
    auto *styleLayout = new QVBoxLayout(styles);
    for (QCheckBox *box : {BoldCB, ItalicCB, UnderlineCB, StrikeOutCB})
        styleLayout->addWidget(box);
    styleLayout->addWidget(ColourBtn);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Abbrechen"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *grid = new QGridLayout;
    grid->addWidget(labelFor(u"&Schriftart"_s, FaceCB), 0, 0);
    grid->addWidget(FaceCB, 1, 0);
    grid->addWidget(labelFor(u"Schrift&grad"_s, SizeSE), 0, 1);
    grid->addWidget(SizeSE, 1, 1);
    grid->addWidget(MissingFaceLb, 2, 0, 1, 2);
    grid->addWidget(styles, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(PreviewLb, 1);
    layout->addWidget(buttons);

    connect(FaceCB, &QComboBox::editTextChanged, this, &FontDialog::FaceCBChange);
    connect(SizeSE, &QSpinBox::valueChanged, this, &FontDialog::showPreview);
    for (QCheckBox *box : {BoldCB, ItalicCB, UnderlineCB, StrikeOutCB})
        connect(box, &QCheckBox::toggled, this, &FontDialog::showPreview);
    connect(ColourBtn, &QPushButton::clicked, this, &FontDialog::ColourBtnClick);
    FaceCBChange();
}

Prompt::FontChoice FontDialog::choice() const
{
    Prompt::FontChoice chosen;
    const QString face = FaceCB->currentText().trimmed();
    chosen.face = face.isEmpty() ? m_start.face : face;
    // The spin box shows at least 1; a size of 0 or less that nobody touched stays as it was.
    chosen.size = SizeSE->value() == std::max<qint32>(1, m_start.size) ? m_start.size : SizeSE->value();
    chosen.style = (BoldCB->isChecked() ? Bold : 0) | (ItalicCB->isChecked() ? Italic : 0) |
                   (UnderlineCB->isChecked() ? Underline : 0) | (StrikeOutCB->isChecked() ? StrikeOut : 0);
    chosen.colour = m_colour;
    return chosen;
}

void FontDialog::FaceCBChange()
{
    const QString face = FaceCB->currentText().trimmed();
    const bool missing = !face.isEmpty() && !isInstalled(face);
    MissingFaceLb->setVisible(missing);
    if (missing)
        MissingFaceLb->setText(u"„%1“ ist auf diesem Rechner nicht installiert; die Vorschau zeigt eine "
                               u"Ersatzschrift. Die Seite behält den Namen."_s.arg(face));
    showPreview();
}

void FontDialog::ColourBtnClick()
{
    TColor colour = m_colour;
    if (m_chooseColour && m_chooseColour(colour)) {
        m_colour = colour;
        showPreview();
    }
}

void FontDialog::showPreview()
{
    const Prompt::FontChoice shown = choice();
    PreviewLb->setFont(styleFont(shown.face, shown.size, shown.style));
    QPalette palette = PreviewLb->palette();
    const QColor text = screenColour(shown.colour);
    palette.setColor(QPalette::WindowText, text);
    // The style's own background is not the dialog's to know: a light text is shown on dark grey.
    palette.setColor(QPalette::Window, text.lightnessF() > 0.7 ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white));
    PreviewLb->setPalette(palette);
    QPixmap swatch(16, 16);
    swatch.fill(screenColour(shown.colour));
    ColourBtn->setIcon(QIcon(swatch));
}
