#pragma once

#include <QDateTime>

// The one representation of a date-time that is stored and compared: days since 30 December 1899
// as a double, the time of day as the fraction (local time). Dates are compared exactly in this
// form, so every conversion goes through these two functions.
double toOleDate(const QDateTime &dateTime);
QDateTime fromOleDate(double days);
