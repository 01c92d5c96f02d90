#include "text/OleDate.h"

#include <cmath>

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MsecsPerDay = 86400000.0;
} // namespace

double toOleDate(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.toLocalTime();
    const double days = double(Epoch.daysTo(local.date()));
    const double fraction = local.time().msecsSinceStartOfDay() / MsecsPerDay;
    // Before the epoch the whole days are negative and the time of day still counts forward.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromOleDate(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const QDate date = Epoch.addDays(qint64(whole));
    const int msecs = int(std::llround(fraction * MsecsPerDay)) % int(MsecsPerDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(msecs));
}
