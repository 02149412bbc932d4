#include "results/printlayout.h"

#include <QTest>

namespace {
// A4 at 600 dpi.
const QSize A4(4961, 7016);
} // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT
private slots:
    void rowHeightIsFifteenTimesTheFontHeight_data();
    void rowHeightIsFifteenTimesTheFontHeight();
    void rowsFillPagesAboveTheBottomMargin_data();
    void rowsFillPagesAboveTheBottomMargin();
    void columnsGiveTheEntriesTheRest_data();
    void columnsGiveTheEntriesTheRest();
};

void TestPrintLayout::rowHeightIsFifteenTimesTheFontHeight_data()
{
    QTest::addColumn<double>("fontHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("16 pixels") << 16.0 << 240;
    QTest::newRow("negative height") << -16.0 << 240;
    QTest::newRow("rounded up") << 16.01 << 241;
}

void TestPrintLayout::rowHeightIsFifteenTimesTheFontHeight()
{
    QFETCH(double, fontHeight);
    QFETCH(int, rowHeight);
    QCOMPARE(printRowHeight(fontHeight), rowHeight);
}

void TestPrintLayout::rowsFillPagesAboveTheBottomMargin_data()
{
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<QList<int>>("rowHeights");
    QTest::addColumn<int>("noteHeight");
    QTest::addColumn<QList<int>>("pageRows");
    const auto rows = [](int count, int height = 240) { return QList<int>(count, height); };
    // A4: 7016 - 2 * 400 margin - 300 header leaves room for 24 rows of 240.
    QTest::newRow("empty table: one page, header only")
        << A4.height() << rows(0) << 0 << QList<int>{0};
    QTest::newRow("one row") << A4.height() << rows(1) << 0 << QList<int>{1};
    QTest::newRow("a full page") << A4.height() << rows(24) << 0 << QList<int>{24};
    QTest::newRow("one row more") << A4.height() << rows(25) << 0 << QList<int>{24, 1};
    QTest::newRow("100 rows") << A4.height() << rows(100) << 0 << QList<int>{24, 24, 24, 24, 4};
    // The note's band takes a row's room from every page.
    QTest::newRow("with a note") << A4.height() << rows(25) << 200 << QList<int>{23, 2};
    // 800 + 300 + 2 * 240 = 1580: the second row ends exactly on the bottom margin.
    QTest::newRow("row ending on the margin") << 1580 << rows(3) << 0 << QList<int>{2, 1};
    QTest::newRow("page too small for a row") << 1200 << rows(2) << 0 << QList<int>{1, 1};
    // Wrapped entries make their rows taller: 10 rows of 480 and 4 of 240 fill the 5916.
    QTest::newRow("taller rows") << A4.height() << rows(10, 480) + rows(5) << 0
                                 << QList<int>{14, 1};
    QTest::newRow("a row taller than a page")
        << A4.height() << QList<int>{240, 9000, 240} << 0 << QList<int>{1, 1, 1};
}

void TestPrintLayout::rowsFillPagesAboveTheBottomMargin()
{
    QFETCH(int, pageHeight);
    QFETCH(QList<int>, rowHeights);
    QFETCH(int, noteHeight);
    QFETCH(QList<int>, pageRows);
    PrintGeometry geometry;
    geometry.noteHeight = noteHeight;
    const QList<PrintPage> pages = layoutPages(pageHeight, rowHeights, geometry);
    QList<int> counts;
    int next = 0;
    for (const PrintPage &p : pages) {
        counts.append(p.rowCount);
        QCOMPARE(p.firstRow, next);
        next += p.rowCount;
    }
    QCOMPARE(counts, pageRows);
}

void TestPrintLayout::columnsGiveTheEntriesTheRest_data()
{
    QTest::addColumn<QList<int>>("needs");
    QTest::addColumn<QList<bool>>("numbers");
    QTest::addColumn<QList<int>>("printWidths");
    // 4961 - 800 = 4161 between the margins.
    QTest::newRow("number and a short entry")
        << QList<int>{300, 900} << QList<bool>{true, false} << QList<int>{300, 3861};
    QTest::newRow("number and an entry too long for the page")
        << QList<int>{300, 9000} << QList<bool>{true, false} << QList<int>{300, 3861};
    // Both fit: the rest goes in proportion, 1000 : 2000 of 3161 spare.
    QTest::newRow("prize and winner both fit")
        << QList<int>{300, 1000, 2000} << QList<bool>{true, false, false}
        << QList<int>{300, 1287, 2574};
    // The short prize keeps what it needs; the long winner takes all the rest and wraps.
    QTest::newRow("long winner beside a short prize")
        << QList<int>{300, 1000, 8000} << QList<bool>{true, false, false}
        << QList<int>{300, 1000, 2861};
    // Both too long: even shares of what the number leaves.
    QTest::newRow("both too long") << QList<int>{300, 7000, 8000} << QList<bool>{true, false, false}
                                   << QList<int>{300, 1930, 1931};
    QTest::newRow("number column only") << QList<int>{300} << QList<bool>{true} << QList<int>{4161};
    // A number column that would crowd the entries out gets only an even share.
    QTest::newRow("absurdly wide numbers")
        << QList<int>{4000, 900} << QList<bool>{true, false} << QList<int>{2080, 2081};
    QTest::newRow("nothing to measure")
        << QList<int>{0, 0} << QList<bool>{false, false} << QList<int>{2080, 2081};
}

void TestPrintLayout::columnsGiveTheEntriesTheRest()
{
    QFETCH(QList<int>, needs);
    QFETCH(QList<bool>, numbers);
    QFETCH(QList<int>, printWidths);
    QList<PrintColumnNeed> columns;
    for (qsizetype i = 0; i < needs.size(); ++i)
        columns.append({needs.at(i), numbers.at(i)});
    const QList<PrintColumnSpan> spans = layoutColumns(A4.width(), columns);
    QList<int> widths;
    int edge = 400;
    for (const PrintColumnSpan &span : spans) {
        QCOMPARE(span.left, edge);
        widths.append(span.width);
        edge += span.width;
    }
    QCOMPARE(widths, printWidths);
    QCOMPARE(edge, A4.width() - 400);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
