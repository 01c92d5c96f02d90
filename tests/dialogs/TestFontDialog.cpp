#include "dialogs/FontDialog.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(Prompt::FontChoice)

// What the font dialog gives back: the stored style with only what the user changed.
class TestFontDialog : public QObject
{
    Q_OBJECT

private slots:
    void keepsWhatIsNotChanged_data();
    void keepsWhatIsNotChanged();
};

void TestFontDialog::keepsWhatIsNotChanged_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Prompt::FontChoice>("expected");

    // A face this machine does not have, bold and underlined, a size and a colour of its own.
    const Prompt::FontChoice start{u"Nirgends Sans 7"_s, 13, 1 | 4, 0x123456};
    Prompt::FontChoice colour = start;
    colour.colour = 0x00FF00;
    Prompt::FontChoice notBold = start;
    notBold.style = 4;
    Prompt::FontChoice bigger = start;
    bigger.size = 14;
    QTest::newRow("nothing changed") << QString() << start;
    QTest::newRow("only the colour") << u"colour"_s << colour;
    QTest::newRow("bold switched off") << u"bold"_s << notBold;
    QTest::newRow("one point larger") << u"size"_s << bigger;
    QTest::newRow("colour dialog cancelled") << u"colour cancelled"_s << start;
}

void TestFontDialog::keepsWhatIsNotChanged()
{
    QFETCH(QString, action);
    QFETCH(Prompt::FontChoice, expected);
    const Prompt::FontChoice start{u"Nirgends Sans 7"_s, 13, 1 | 4, 0x123456};
    QVERIFY(!QFontDatabase::families().contains(start.face));
    int colourAsked = 0;
    TColor colourOffered = 0;
    FontDialog dialog(start, [&](TColor &colour) -> bool {
        ++colourAsked;
        colourOffered = colour;
        if (action == u"colour cancelled")
            return false;
        colour = 0x00FF00;
        return true;
    });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // The stored face is shown by name, with the hint that it is missing.
    QCOMPARE(dialog.findChild<QFontComboBox *>(u"FaceCB"_s)->currentText(), start.face);
    QVERIFY(dialog.findChild<QLabel *>(u"MissingFaceLb"_s)->isVisible());
    if (action.startsWith(u"colour"))
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"ColourBtn"_s), Qt::LeftButton);
    else if (action == u"bold")
    {
        auto *bold = dialog.findChild<QCheckBox *>(u"BoldCB"_s);
        QTest::mouseClick(bold, Qt::LeftButton, {}, QPoint(8, bold->height() / 2)); // on the box itself
    }
    else if (action == u"size")
        QTest::keyClick(dialog.findChild<QSpinBox *>(u"SizeSE"_s), Qt::Key_Up);

    QCOMPARE(colourAsked, action.startsWith(u"colour") ? 1 : 0);
    if (colourAsked)
        QCOMPARE(colourOffered, start.colour);
    QCOMPARE(dialog.choice(), expected);
}

QTEST_MAIN(TestFontDialog)
#include "TestFontDialog.moc"
