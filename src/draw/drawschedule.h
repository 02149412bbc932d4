#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

// Texts and times of the timed draw modes, decided without a window.

// "Ziehungsintervall: 5 Sekunden": the interval in hours, minutes or seconds, whichever is the
// largest unit the value exceeds, truncated.
QString intervalText(int seconds);

// The status text of a running autostop: "AutoStop aktiv (5)".
QString autostopText(int remaining);

// The next full hour after `now` as "hh:00" ("00:00" after 23 o'clock).
QString nextFullHourText(const QTime &now);

// A time of day typed as hours and minutes ("08:30", " 8:30"); invalid when the hours are not
// 0..23, the minutes not 0..59, or a digit is missing.
QTime parseTimeOfDay(const QString &text);

// The next moment at `time`: today, or tomorrow when the time of day has already passed.
QDateTime nextDrawTime(const QDateTime &now, const QTime &time);

// The time left until `next` as hours, minutes and seconds ("09:59:59"); only the time part.
QString timeToNextDrawText(const QDateTime &now, const QDateTime &next);

// A moment written as date and time for the countdown announcement.
QString dateTimeText(const QDateTime &moment);

// The "Spiel" cell of a lottery draw: game and number each right-aligned to two places.
QString lotteryCellText(int game, const QString &entry);
