#include "app/formfixture.h"
#include "draw/drawjournal.h"

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
        }
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
        f.panel().cbNachpruefbar->setChecked(false);
        f.useRange(1, 10, 3);
        QVERIFY(f.folder.read(QStringLiteral("tivrel.ini")).contains("Enabled=0"));
    }
};

QTEST_MAIN(TestVerifiedDraw)
#include "tst_verifieddraw.moc"
