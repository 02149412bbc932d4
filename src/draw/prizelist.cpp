#include "draw/prizelist.h"

#include "localisation/uitext.h"

QString PrizeText(const PrizeListLines &prizeList, qint32 drawNumber)
{
    if (!prizeList)
        return {};
    if (drawNumber < 1 || prizeList->size() < drawNumber)
        return lngFormat("StrTrostpreis", {QString::number(drawNumber)});
    return prizeList->at(drawNumber - 1);
}
