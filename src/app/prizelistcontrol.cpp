#include "app/prizelistcontrol.h"

#include "app/listcontrol.h"
#include "draw/drawmode.h"
#include "draw/listfile.h"
#include "localisation/uitext.h"
#include "results/resultstable.h"
#include "settings/modepage.h"
#include "settings/rangepage.h"

#include <QFileInfo>

void PrizeListControl::edWinningsButtonClick()
{
    RangePage &page = p.range;
    // The file is read later, by LoadPrizeList.
    const QString stored = chooseListFile(p.platform, p.programFolder, lng("StrFilterText"));
    if (stored.isEmpty())
        return;
    page.setPrizePath(stored);
    const QFileInfo file(resolveListPath(p.programFolder, stored));
    if (listPathSet(stored) && file.isFile()) {
        page.setPrizesOn(true);
        return;
    }
    ListFileResult missing;
    missing.error = ListFileError::Missing;
    warnListFile(p.platform, missing, stored, "HinweisDatei01");
    page.setPrizePath(QString());
}

void PrizeListControl::LoadPrizeList()
{
    RangePage &page = p.range;
    // The draw list is read again first: its range may have changed.
    if (page.listOn())
        p.lists.ApplyListRange();
    // The prizes read before are forgotten.
    PrizeList.emplace();
    // With the prize list on, its lines head the column "Spiel".
    if (!page.prizesOn())
        return;
    const QString stored = page.prizePath();
    ListFileResult prizes = readListFile(resolveListPath(p.programFolder, stored));
    if (prizes.ok()) {
        PrizeList = std::move(prizes.lines);
        p.results.results()->setHeaderText(ResultsModel::Spiel, lng("StrGewinn"));
        p.results.setColumnShown(ResultsModel::Spiel, true);
        return;
    }
    warnListFile(p.platform, prizes, page.prizePath(), "HinweisDatei01");
    if (p.mode.modeIndex() <= int(DrawMode::Timer))
        p.results.setColumnShown(ResultsModel::Spiel, false);
}

QString PrizeListControl::PrizeText(qint32 drawNumber) const
{
    return ::PrizeText(PrizeList, drawNumber);
}
