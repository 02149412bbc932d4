#include "draw/drawschedule.h"

#include "localisation/formattext.h"
#include "localisation/uitext.h"

#include <QRegularExpression>

QString intervalText(int seconds)
{
    int shown = seconds;
    const char *unit = "StrSekunde";
    if (seconds > 3600) {
        shown = seconds / 3600;
        unit = "StrStunde";
    } else if (seconds > 60) {
        shown = seconds / 60;
        unit = "StrMinute";
    }
    QString text = lng("StrZiehungsintervall") + QLatin1Char(' ') + QString::number(shown) +
                   QLatin1Char(' ') + lng(unit);
    if (shown > 1)
        text += lng("StrZeitMehrzahl");
    return text;
}

QString autostopText(int remaining)
{
    return lng("StrAutoStop") + QStringLiteral(" (") + QString::number(remaining) +
           QLatin1Char(')');
}

QString nextFullHourText(const QTime &now)
{
    return FormatText(QStringLiteral("%.2d:%.2d"), {(now.hour() + 1) % 24, 0});
}

QTime parseTimeOfDay(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    if (hours > 23 || minutes > 59)
        return {};
    return QTime(hours, minutes);
}

QDateTime nextDrawTime(const QDateTime &now, const QTime &time)
{
    QDateTime next(now.date(), time, now.timeSpec());
    if (now.time() > time)
        next = next.addDays(1);
    return next;
}

QString timeToNextDrawText(const QDateTime &now, const QDateTime &next)
{
    qint64 seconds = now.secsTo(next);
    if (seconds < 0)
        seconds = 0;
    seconds %= 24 * 3600;
    const auto two = [](qint64 v) {
        return QString::number(v).rightJustified(2, QLatin1Char('0'));
    };
    return two(seconds / 3600) + QLatin1Char(':') + two(seconds / 60 % 60) + QLatin1Char(':') +
           two(seconds % 60);
}

QString dateTimeText(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString lotteryCellText(int game, const QString &entry)
{
    return FormatText(QStringLiteral("%2d / %2s"), {game, entry});
}
