#pragma once

#include <QCollator>

// The one order of names shown to the user: German, without regard to letter case, the same on
// every machine whatever its locale.
QCollator germanCollator();
