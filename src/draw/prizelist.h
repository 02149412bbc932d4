#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The prize list: its lines in file order. It comes into being at the first load and is
// emptied and refilled by each later one; an empty list is valid.
using PrizeListLines = std::optional<QStringList>;

// The prize of draw number `drawNumber` (counted from 1): line N of the list, or the
// consolation text "Gewinn Nr. N" when the list is shorter; empty before the first load.
QString PrizeText(const PrizeListLines &prizeList, qint32 drawNumber);
