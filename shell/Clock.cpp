#include "shell/Clock.h"

namespace qx {

QString ClockText(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QString::asprintf("%02d/%02d  %02d:%02d %s", d.month(), d.day(), hour12, t.minute(),
                             t.hour() < 12 ? "AM" : "PM");
}

}  // namespace qx
