#pragma once

#include "text/FilePaths.h"

#include <QString>

#include <functional>

// Text width in pixels (or any unit the caller's width uses).
using TextWidthFunction = std::function<int(const QString &)>;

// The text ShowShortPath puts into a label of width labelWidth: the whole path when it fits;
// otherwise the part up to the first delimiter, "...", and as much of the end as fits, dropping
// whole folders first and then single characters. Example with "\": C:\Daten\Projekte\Haus\X.RVX
// becomes C:\...\Projekte\Haus\X.RVX, C:\...\Haus\X.RVX, C:\...\X.RVX, C:\...X.RVX, C:\....RVX, ...
QString ShortPathText(const QString &path, int labelWidth, const TextWidthFunction &textWidth,
                      QChar delimiter = pathDelimiter());
