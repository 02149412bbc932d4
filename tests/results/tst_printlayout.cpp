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
    void columnsShareTheWidthInProportion_data();
    void columnsShareTheWidthInProportion();
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
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("pageRows");
    // A4: 7016 - 2 * 400 margin - 300 header leaves room for 24 rows of 240.
    QTest::newRow("empty table: one page, header only") << A4 << 0 << QList<int>{0};
    QTest::newRow("one row") << A4 << 1 << QList<int>{1};
    QTest::newRow("a full page") << A4 << 24 << QList<int>{24};
    QTest::newRow("one row more") << A4 << 25 << QList<int>{24, 1};
    QTest::newRow("100 rows") << A4 << 100 << QList<int>{24, 24, 24, 24, 4};
    // 800 + 300 + 2 * 240 = 1580: the second row ends exactly on the bottom margin.
    QTest::newRow("row ending on the margin") << QSize(2000, 1580) << 3 << QList<int>{2, 1};
    QTest::newRow("page too small for a row") << QSize(2000, 1200) << 2 << QList<int>{1, 1};
}

void TestPrintLayout::rowsFillPagesAboveTheBottomMargin()
{
    QFETCH(QSize, page);
    QFETCH(int, rows);
    QFETCH(QList<int>, pageRows);
    const PrintLayout layout = layoutPrint(page, {272, 316}, rows);
    QCOMPARE(layout.headerTop, 400);
    QCOMPARE(layout.firstRowTop, 700);
    QList<int> counts;
    int next = 0;
    for (const PrintPage &p : layout.pages) {
        counts.append(p.rowCount);
        QCOMPARE(p.firstRow, next);
        next += p.rowCount;
    }
    QCOMPARE(counts, pageRows);
}

void TestPrintLayout::columnsShareTheWidthInProportion_data()
{
    QTest::addColumn<QList<int>>("screenWidths");
    QTest::addColumn<QList<int>>("printWidths");
    // 4961 - 800 = 4161 between the margins.
    QTest::newRow("Durchgang and Gezogen") << QList<int>{272, 316} << QList<int>{1924, 2237};
    QTest::newRow("three columns") << QList<int>{272, 120, 316} << QList<int>{1598, 705, 1858};
    QTest::newRow("equal widths") << QList<int>{300, 300, 300} << QList<int>{1387, 1387, 1387};
    QTest::newRow("all widths zero") << QList<int>{0, 0} << QList<int>{2080, 2081};
}

void TestPrintLayout::columnsShareTheWidthInProportion()
{
    QFETCH(QList<int>, screenWidths);
    QFETCH(QList<int>, printWidths);
    const PrintLayout layout = layoutPrint(A4, screenWidths, 0);
    QList<int> widths;
    int edge = 400;
    for (const PrintColumnSpan &span : layout.columns) {
        QCOMPARE(span.left, edge);
        widths.append(span.width);
        edge += span.width;
    }
    QCOMPARE(widths, printWidths);
    QCOMPARE(edge, A4.width() - 400);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
