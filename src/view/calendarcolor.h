#ifndef SCHEDULE_CALENDARCOLOR_H
#define SCHEDULE_CALENDARCOLOR_H

#include <QColor>

struct CalendarIdentity;

// The colour a calendar's tasks are marked with: the calendar's own ("#rrggbb" or a CSS name), else
// one made from its ID, the same on every start and machine. Invalid for a job of no known calendar.
[[nodiscard]] QColor calendarColor(const CalendarIdentity &calendar);

#endif
