#pragma once

#include <QString>

// One completed draw: its draw number, the game or prize text, the drawn entry.
struct ResultRow {
    qint32 Durchgang = 0;
    QString Spiel;
    QString Gezogen;
    friend bool operator==(const ResultRow &, const ResultRow &) = default;
};
