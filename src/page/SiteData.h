#pragma once

#include "text/Entities.h"

#include <QString>

// System window colour: the page background until the first page is opened. Written as "FFFFFF".
inline constexpr TColor clWindow = TColor(0x80000005);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// Font style bits as the page file stores them.
enum FontStyleBit : qint32 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr qint32 AllFontStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

// Layout values of one page. Every number is held as a 32-bit integer; Limits gives the bounds
// that apply to the limited ones.
struct TSiteData
{
    QString Headline;
    QString BGPict;
    QString HeadFontName = QStringLiteral("MS Sans Serif");
    QString ObjFontName = QStringLiteral("Arial");
    QString ValFontName = QStringLiteral("Arial");
    QString NaviFontName = QStringLiteral("Arial");
    qint32 HeadFontStyle = fsBold;
    qint32 HeadFontSize = 8;
    qint32 ObjFontStyle = fsBold;
    qint32 ObjFontSize = 8;
    qint32 ValFontStyle = fsBold;
    qint32 ValFontSize = 8;
    qint32 NaviFontStyle = fsUnderline;
    qint32 NaviFontSize = 8;
    TColor HeadFontColor = clBlack;
    TColor HeadBGColor = clWhite;
    TColor ObjFontColor = clBlack;
    TColor ObjBGColor = clWhite;
    TColor ValFontColor = clBlack;
    TColor ValBGColor = clWhite;
    TColor NaviFontColor = clBlack;
    TColor NaviBGColor = clWhite;
    TColor BGCol = clWindow;
    qint32 ObjWidth = 180;
    qint32 ValueWidth = 50;
    qint32 PictWidth = 10;
    qint32 RowWidth = 0;
    qint32 RowHeight = 0;
    qint32 FrameWidth = 0;
    qint32 CellDist = 0;
    qint32 TextDist = 0;
    qint32 InputWidth = 40;
    qint32 AutoAktSec = 10;
    bool PictStretch = false;
    bool AutoAkt = false;
    qint32 LeftMarginHeadline = 0;
    qint32 LeftMarginObj = 0;
    qint32 LeftMarginMacro = 0;
    qint32 BrowserWidth = 0;
    bool AutoWidth = false;
    bool NoAutoScale = false;

    bool operator==(const TSiteData &) const = default;
};

// Whether the fixed browser width can be edited: not while pages adapt themselves to mobile
// devices (the page's AutoWidth, the project's option for new pages). The value is kept either way.
inline bool browserWidthEditable(bool autoWidth)
{
    return !autoWidth;
}

// The four text styles of a page, each shown by one preview panel of the editor.
enum class TextStyle { Head, Obj, Val, Navi };

// The fields of one text style inside TSiteData.
struct TextStyleRef
{
    QString &face;
    qint32 &size;
    qint32 &style; // FontStyleBit values
    TColor &colour;
    TColor &background;
};

// A text style's values, for reading.
struct TextStyleValue
{
    QString face;
    qint32 size = 0;
    qint32 style = 0;
    TColor colour = clBlack;
    TColor background = clWhite;
};

TextStyleRef textStyle(TSiteData &d, TextStyle which);
TextStyleValue textStyleValue(const TSiteData &d, TextStyle which);

// Bounds of the limited number fields of TSiteData.
namespace Limits {
struct Range
{
    qint32 min;
    qint32 max;
    qint32 clamp(qint32 v) const { return v < min ? min : (v > max ? max : v); }
};
inline constexpr Range ObjWidth{20, 2000};
inline constexpr Range PictWidth{10, 500};
inline constexpr Range InputWidth{10, 1000};
inline constexpr Range RowHeight{0, 50};
inline constexpr Range FrameWidth{0, 20};
inline constexpr Range CellDist{0, 50};
inline constexpr Range TextDist{0, 200};
inline constexpr Range AutoAktSec{5, 300};
} // namespace Limits

// One entry of the build order or of the object column order.
struct CheckEntry
{
    QString text;
    bool checked = false;
    bool operator==(const CheckEntry &) const = default;
};
