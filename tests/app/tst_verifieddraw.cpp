#include "app/formfixture.h"
#include "draw/drawjournal.h"
#include "support/panelcontrols.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QByteArray VerifyOn = "[VERIFY]\r\nEnabled=1\r\n";

QList<QJsonObject> journalLines(const QString &path)
{
    QFile file(path);
    QList<QJsonObject> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.isEmpty())
            lines.append(QJsonDocument::fromJson(line).object());
    return lines;
}

// The note the results table shows for the journal's newest draw.
QString lastChainHead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line;
    for (const QByteArray &each : file.readAll().split('\n'))
        if (each.contains("\"entry\""))
            line = each;
    return lngFormat("StrKettenkopf", {groupedHex(QByteArray::fromHex(lineHash(line).left(24)))});
}

QString commitmentShown(const QJsonObject &commit)
{
    return lngFormat("StrFestlegung",
                     {groupedHex(QByteArray::fromHex(
                         commit.value(QStringLiteral("commit")).toString().toLatin1()))});
}

} // namespace

// A window over a fresh program folder, with the journal beside its draw log.
struct VerifyFixture : FormFixture {
    VerifyFixture() { platform.clock = QDateTime(QDate(2026, 12, 9), QTime(20, 0)); }
    QString journal() const { return folder.file(QStringLiteral("tivrel.journal")); }
    JournalCheck check() const
    {
        QFile file(journal());
        return file.open(QIODevice::ReadOnly) ? verifyJournal(file.readAll()) : JournalCheck{};
    }
};

class TestVerifiedDraw : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theCommitmentShowsBeforeTheFirstDrawAndEachDrawIsJournaled()
    {
        VerifyFixture f;
        const QString journal = f.journal();
        f.folder.write(QStringLiteral("tivrel.ini"), VerifyOn);
        Form &form = f.start();
        form.show();
        f.useRange(1, 12, 12);

        const QList<QJsonObject> begun = journalLines(journal);
        QVERIFY(!begun.isEmpty());
        const QJsonObject commit = begun.last();
        QVERIFY(commit.contains(QStringLiteral("commit")));
        QCOMPARE(commit.value(QStringLiteral("quota")).toInt(), 12);
        QCOMPARE(f.display(), commitmentShown(commit));
        QCOMPARE(form.AutotivrelNotiz->text(), commitmentShown(commit));
        QVERIFY(shown(form.AutotivrelNotiz));

        for (int draw = 1; draw <= 12; ++draw) {
            f.drawOnce();
            // The journal holds the draw that the display shows.
            const QJsonObject last = journalLines(journal).last();
            QCOMPARE(last.value(QStringLiteral("draw")).toInt(), draw);
            QCOMPARE(last.value(QStringLiteral("entry")).toString(), f.display());
            // The newest row carries the chain head its journal line left.
            QModelIndex newest;
            for (int row = 0; row < f.results().rowCount(); ++row)
                if (f.results().rowAt(row).Gezogen == f.display())
                    newest = f.results().index(row, ResultsModel::Gezogen);
            QCOMPARE(f.results().data(newest, Qt::ToolTipRole).toString(), lastChainHead(journal));
        }
        // The exports carry the chain head after the newest draw.
        const QString head = lastChainHead(journal);
        ui(form.Einstellungen).BTTxT->click();
        const QString txt = QString::fromUtf8(f.folder.read(QStringLiteral("tivrel.txt")));
        QVERIFY2(txt.contains(head) ||
                     QByteArray(f.folder.read(QStringLiteral("tivrel.txt")))
                         .contains(QByteArray(reinterpret_cast<const char *>(head.utf16()),
                                              head.size() * 2)),
                 qPrintable(head));
        // The pass is used up: the seed is revealed once the last draw is shown.
        QTRY_VERIFY(journalLines(journal).last().contains(QStringLiteral("reveal")));
        QVERIFY(!QFile::exists(journal + QStringLiteral(".seed")));
        const JournalCheck result = f.check();
        QVERIFY2(result.ok, qPrintable(result.report()));
        QCOMPARE(result.draws, 12);
    }

    void aRestartAndTheRevealCommandBeginNewSegments()
    {
        VerifyFixture f;
        const QString journal = f.journal();
        f.folder.write(QStringLiteral("tivrel.ini"), VerifyOn);
        f.start().show();
        f.useRange(1, 30, 9);
        const int first = journalLines(journal).last().value(QStringLiteral("segment")).toInt();
        f.drawOnce();
        f.drawOnce();
        f.drawOnce();

        // The program ends without revealing; the next start reveals and commits anew, and
        // shows the new commitment in place of the greeting.
        Form &again = f.start();
        again.show();
        QList<QJsonObject> lines = journalLines(journal);
        QCOMPARE(lines.at(lines.size() - 2).value(QStringLiteral("segment")).toInt(), first);
        QVERIFY(lines.at(lines.size() - 2).contains(QStringLiteral("reveal")));
        const QJsonObject second = lines.last();
        QCOMPARE(second.value(QStringLiteral("segment")).toInt(), first + 1);
        QCOMPARE(second.value(QStringLiteral("pass")).toInt(),
                 lines.at(lines.size() - 2).value(QStringLiteral("pass")).toInt());
        QCOMPARE(second.value(QStringLiteral("drawn")).toArray().size(), 3);
        QCOMPARE(f.display(), commitmentShown(second));

        f.drawOnce();
        auto *reveal = again.child<QAction>("mmStartwertOffenlegen");
        reveal->trigger();
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.platform.messages.first().text.contains(
            journalLines(journal).at(lines.size() + 1).value(QStringLiteral("reveal")).toString()));
        const QJsonObject third = journalLines(journal).last();
        QCOMPARE(third.value(QStringLiteral("segment")).toInt(), first + 2);
        QCOMPARE(f.display(), commitmentShown(third));

        while (again.pass().drawAllowed())
            f.drawOnce();
        QTRY_VERIFY(journalLines(journal).last().contains(QStringLiteral("reveal")));
        const JournalCheck result = f.check();
        QVERIFY2(result.ok, qPrintable(result.report()));
        QCOMPARE(result.report(),
                 QStringLiteral("verified: 9 draws in %1 segments\n").arg(first + 2));
    }

    void theJournalPutsBackDrawsTheLogLacks()
    {
        VerifyFixture f;
        f.folder.write(QStringLiteral("tivrel.ini"), VerifyOn);
        Form &form = f.start();
        form.show();
        f.useRange(1, 30, 10);
        for (int i = 0; i < 4; ++i)
            f.drawOnce();
        const QList<ResultRow> drawn = form.pass().rows().toList();
        // A row removed from the log between two runs is not drawn again: it comes back.
        QList<ResultRow> kept = drawn;
        kept.removeAt(1);
        f.writeLog(kept);
        Form &again = f.start();
        again.show();
        QCOMPARE(again.pass().rows().toList(), drawn);
        QCOMPARE(again.pass().drawCount(), 4);
        ResultRows logged;
        QVERIFY(readDrawLog(again.DrawLog, logged));
        QCOMPARE(logged.toList(), drawn);
        while (again.pass().drawAllowed())
            f.drawOnce();
        QTRY_VERIFY(journalLines(f.journal()).last().contains(QStringLiteral("reveal")));
        const JournalCheck result = f.check();
        QVERIFY2(result.verdict() == JournalCheck::Verdict::Verified, qPrintable(result.report()));
        QCOMPARE(result.draws, 10);
    }

    void aLinkInPlaceOfTheJournalHaltsTheDraw()
    {
        VerifyFixture f;
        f.folder.write(QStringLiteral("tivrel.ini"), VerifyOn);
        const QString target = f.folder.file(QStringLiteral("notes.txt"));
        f.folder.write(QStringLiteral("notes.txt"), "someone's notes\nno line end");
        QVERIFY(QFile::link(target, f.journal()));
        Form &form = f.start();
        form.show();
        f.useRange(1, 30, 10);
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.platform.messages.first().text.contains(lng("StrSymbolischerLink")));
        f.drawOnce();
        QCoreApplication::processEvents();
        QCOMPARE(form.pass().drawCount(), 0);
        QCOMPARE(f.display(), lng("StrJournalAngehalten"));
        QCOMPARE(f.folder.read(QStringLiteral("notes.txt")),
                 QByteArray("someone's notes\nno line end"));
        // Switched off, the draw goes on without a journal.
        ui(f.panel()).cbNachpruefbar->setChecked(false);
        f.useRange(1, 30, 10);
        f.drawOnce();
        QCOMPARE(form.pass().drawCount(), 1);
        QCOMPARE(f.folder.read(QStringLiteral("notes.txt")),
                 QByteArray("someone's notes\nno line end"));
    }

    void withTheOptionOffNothingIsJournaledOrStored()
    {
        VerifyFixture f;
        const QString journal = f.journal();
        Form &form = f.start();
        form.show();
        f.useRange(1, 10, 3);
        f.drawOnce();
        QVERIFY(!QFile::exists(journal));
        QVERIFY(!f.folder.read(QStringLiteral("tivrel.ini")).contains("VERIFY"));

        // Switched off after use, the key is kept and written as off.
        f.folder.write(QStringLiteral("tivrel.ini"), VerifyOn);
        f.start().show();
        ui(f.panel()).cbNachpruefbar->setChecked(false);
        f.useRange(1, 10, 3);
        QVERIFY(f.folder.read(QStringLiteral("tivrel.ini")).contains("Enabled=0"));
    }
};

QTEST_MAIN(TestVerifiedDraw)
#include "tst_verifieddraw.moc"
