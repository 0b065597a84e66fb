#pragma once
// The status-bar clock text shared by every window.

#include <QDateTime>
#include <QString>

namespace qx {

// "mm/dd  hh:mm AM/PM": two spaces after the date, a 12-hour clock (12 after midnight and at noon)
// and "AM"/"PM" in Latin letters whatever the locale calls them.
QString ClockText(const QDateTime& when);

}  // namespace qx
