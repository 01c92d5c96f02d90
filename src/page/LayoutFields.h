#pragma once

#include "page/SiteData.h"

#include <QString>

#include <array>
#include <limits>

// The number fields of a page's layout section (#003000): file key, field of TSiteData and the
// bounds a value is brought into. The page file reader, the page file writer and the layout tab
// all take the fields from this one table, in the order the file holds them.
struct LayoutNumberField
{
    const char16_t *key;
    qint32 TSiteData::*field;
    Limits::Range range;

    QString keyText() const { return QString::fromUtf16(key); }
};

namespace LayoutFields {
inline constexpr Limits::Range Unlimited{std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};

inline constexpr std::array<LayoutNumberField, 12> Numbers{{
    {u"OBWIDTH", &TSiteData::ObjWidth, Limits::ObjWidth},
    {u"OWWIDTH", &TSiteData::ValueWidth, Unlimited},
    {u"OPWIDTH", &TSiteData::PictWidth, Limits::PictWidth},
    {u"LMHL", &TSiteData::LeftMarginHeadline, Unlimited},
    {u"LMOBJ", &TSiteData::LeftMarginObj, Unlimited},
    {u"LMMAC", &TSiteData::LeftMarginMacro, Unlimited},
    {u"PW", &TSiteData::RowWidth, Unlimited},
    {u"RHM", &TSiteData::RowHeight, Limits::RowHeight},
    {u"FW", &TSiteData::FrameWidth, Limits::FrameWidth},
    {u"CELLD", &TSiteData::CellDist, Limits::CellDist},
    {u"TXD", &TSiteData::TextDist, Limits::TextDist},
    {u"INPW", &TSiteData::InputWidth, Limits::InputWidth},
}};
} // namespace LayoutFields
