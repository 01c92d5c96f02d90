#pragma once

#include <QString>

// German letters <-> the entities the web server expects, and colours <-> RRGGBB text.

// Colour value laid out as 0x00BBGGRR. Negative values are symbolic system colours.
using TColor = qint32;

QString UmlautsToEntities(const QString &s);
QString EntitiesToUmlauts(const QString &s);

// Six upper-case hexadecimal digits RRGGBB; a negative (system) colour gives "FFFFFF".
QString ColorToText(TColor colour);

// Inverse of ColorToText for RRGGBB text; no check is made on malformed text.
TColor TextToColor(const QString &s);
