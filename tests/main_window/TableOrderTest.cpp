#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/RecordSorting.h"
#include "ui/main_window/RowBanding.h"
#include "ui/main_window/TableSelection.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;

using OptionalDate = std::optional<QDateTime>;
using OptionalCode = std::optional<QString>;

// The table's order, its day bands and its selection: what the user sees listed, without
// drawing anything.
class TableOrderTest : public QObject {
    Q_OBJECT

private slots:
    void orderRule_data() {
        QTest::addColumn<OptionalDate>("dateA");
        QTest::addColumn<QString>("nameA");
        QTest::addColumn<QString>("codeA");
        QTest::addColumn<OptionalDate>("dateB");
        QTest::addColumn<QString>("nameB");
        QTest::addColumn<QString>("codeB");
        QTest::addColumn<bool>("aBeforeB");
        QTest::addColumn<bool>("bBeforeA");

        const OptionalDate early = marketTime(2025, 7, 1);
        const OptionalDate late = marketTime(2025, 7, 8);
        const QString x = QStringLiteral("x");
        QTest::newRow("newer start first")
            << late << QStringLiteral("Z") << QStringLiteral("9") << early << QStringLiteral("A")
            << QStringLiteral("1") << true << false;
        QTest::newRow("same day, later clock time first")
            << OptionalDate(marketTime(2025, 7, 1, 9)) << x << QStringLiteral("1") << early << x
            << QStringLiteral("2") << true << false;
        QTest::newRow("dated before undated") << early << QStringLiteral("Z") << x << OptionalDate()
                                              << QStringLiteral("A") << x << true << false;
        QTest::newRow("equal dates by name")
            << early << QStringLiteral("B") << QStringLiteral("1") << early << QStringLiteral("A")
            << QStringLiteral("2") << false << true;
        QTest::newRow("undated by name")
            << OptionalDate() << QStringLiteral("安") << x << OptionalDate() << QStringLiteral("博")
            << x << false << true;
        QTest::newRow("upper case before lower case")
            << OptionalDate() << QStringLiteral("Zeta") << x << OptionalDate()
            << QStringLiteral("alpha") << x << true << false;
        QTest::newRow("code points, not UTF-16 units")
            << OptionalDate() << QStringLiteral("\uFF21") << x << OptionalDate()
            << QString::fromUcs4(U"\U00020000") << x << true << false;
        QTest::newRow("equal names by code")
            << early << QStringLiteral("星河") << QStringLiteral("02513") << early
            << QStringLiteral("星河") << QStringLiteral("02100") << false << true;
        QTest::newRow("composed and decomposed names are one name")
            << OptionalDate() << QStringLiteral("Caf\u00E9") << QStringLiteral("2")
            << OptionalDate() << QStringLiteral("Cafe\u0301") << QStringLiteral("1") << false
            << true;
        QTest::newRow("equal name and code: neither first")
            << early << x << QStringLiteral("1") << early << x << QStringLiteral("1") << false
            << false;
    }
    void orderRule() {
        QFETCH(OptionalDate, dateA);
        QFETCH(QString, nameA);
        QFETCH(QString, codeA);
        QFETCH(OptionalDate, dateB);
        QFETCH(QString, nameB);
        QFETCH(QString, codeB);
        QFETCH(bool, aBeforeB);
        QFETCH(bool, bBeforeA);
        const IPORecord a = makeIPORecord(codeA, nameA, dateA);
        const IPORecord b = makeIPORecord(codeB, nameB, dateB);
        QCOMPARE(RecordSorting::isOrderedBefore(a, b), aBeforeB);
        QCOMPARE(RecordSorting::isOrderedBefore(b, a), bBeforeA);
    }

    void allFilterListsUndatedLastByNameThenCode() {
        const QList<IPORecord> records{
            makeIPORecord(QStringLiteral("U2"), QStringLiteral("乙"), std::nullopt),
            makeIPORecord(QStringLiteral("D1"), QStringLiteral("甲"), marketTime(2025, 7, 1)),
            makeIPORecord(QStringLiteral("U1"), QStringLiteral("乙"), std::nullopt),
            makeIPORecord(QStringLiteral("U0"), QStringLiteral("丙"), std::nullopt),
            makeIPORecord(QStringLiteral("D2"), QStringLiteral("甲"), marketTime(2025, 7, 9)),
        };
        const QList<IPORecord> listed = RecordSorting::sorted(TimeFiltering::filtered(
            records, TimeFilter::all, marketTime(2025, 7, 10), marketCalendar()));
        // 丙 (U+4E19) sorts before 乙 (U+4E59).
        QCOMPARE(codesOf(listed),
                 QStringList({QStringLiteral("D2"), QStringLiteral("D1"), QStringLiteral("U0"),
                              QStringLiteral("U1"), QStringLiteral("U2")}));
        const QHash<QString, TableRowBand> bands = RowBanding::bands(listed, marketCalendar());
        QCOMPARE(bands.value(QStringLiteral("U0")), TableRowBand::missing);
        QCOMPARE(bands.value(QStringLiteral("U2")), TableRowBand::missing);
    }

    void bands_data() {
        QTest::addColumn<QList<OptionalDate>>("starts");
        QTest::addColumn<QList<int>>("expected");
        const int light = int(TableRowBand::warmLight);
        const int gray = int(TableRowBand::warmGray);
        const int missing = int(TableRowBand::missing);
        QTest::newRow("one day shares a band at any clock time")
            << QList<OptionalDate>{marketTime(2025, 7, 10, 18), marketTime(2025, 7, 10, 0, 30),
                                   marketTime(2025, 7, 8)}
            << QList<int>{light, light, gray};
        QTest::newRow("groups alternate whatever the gap")
            << QList<OptionalDate>{marketTime(2025, 7, 10), marketTime(2025, 5, 1),
                                   marketTime(2025, 4, 30), marketTime(2024, 1, 1)}
            << QList<int>{light, gray, light, gray};
        QTest::newRow("days are the market's, not UTC's")
            << QList<OptionalDate>{utcTime(2025, 7, 10, 10), utcTime(2025, 7, 9, 16, 30),
                                   utcTime(2025, 7, 9, 15, 59)}
            << QList<int>{light, light, gray};
        QTest::newRow("undated rows keep the run going")
            << QList<OptionalDate>{marketTime(2025, 7, 10), OptionalDate(), marketTime(2025, 7, 10),
                                   marketTime(2025, 7, 9)}
            << QList<int>{light, missing, light, gray};
        QTest::newRow("undated first, the count starts at the first date")
            << QList<OptionalDate>{OptionalDate(), marketTime(2025, 7, 9)}
            << QList<int>{missing, light};
        QTest::newRow("nothing listed") << QList<OptionalDate>{} << QList<int>{};
    }
    void bands() {
        QFETCH(QList<OptionalDate>, starts);
        QFETCH(QList<int>, expected);
        QList<IPORecord> listed;
        for (qsizetype i = 0; i < starts.size(); ++i)
            listed.append(makeIPORecord(QString::number(i), QStringLiteral("n"), starts[i]));
        const QHash<QString, TableRowBand> bands = RowBanding::bands(listed, marketCalendar());
        QCOMPARE(bands.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(int(RowBanding::bandOf(bands, QString::number(i))), expected[i]);
    }

    void repeatedCodeTakesTheLaterBand() {
        const QList<IPORecord> listed{
            makeIPORecord(QStringLiteral("A"), QStringLiteral("n"), marketTime(2025, 7, 10)),
            makeIPORecord(QStringLiteral("B"), QStringLiteral("n"), marketTime(2025, 7, 9)),
            makeIPORecord(QStringLiteral("A"), QStringLiteral("n"), marketTime(2025, 7, 8)),
        };
        const QHash<QString, TableRowBand> bands = RowBanding::bands(listed, marketCalendar());
        QCOMPARE(bands.value(QStringLiteral("A")), TableRowBand::warmLight);
        QCOMPARE(bands.value(QStringLiteral("B")), TableRowBand::warmGray);
        QCOMPARE(RowBanding::bandOf(bands, QStringLiteral("unknown")), TableRowBand::missing);
    }

    void bandColours() {
        QCOMPARE(paletteColor(TableRowBand::warmLight), PaletteColor::detailGlassFill);
        QCOMPARE(paletteColor(TableRowBand::warmGray), PaletteColor::detailFill);
        QCOMPARE(paletteColor(TableRowBand::missing), PaletteColor::detailFillAlt);
    }

    void toggling_data() {
        QTest::addColumn<OptionalCode>("selected");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<OptionalCode>("after");
        QTest::newRow("select") << OptionalCode() << QStringLiteral("A")
                                << OptionalCode(QStringLiteral("A"));
        QTest::newRow("deselect") << OptionalCode(QStringLiteral("A")) << QStringLiteral("A")
                                  << OptionalCode();
        QTest::newRow("switch") << OptionalCode(QStringLiteral("A")) << QStringLiteral("B")
                                << OptionalCode(QStringLiteral("B"));
        QTest::newRow("codes are case-sensitive")
            << OptionalCode(QStringLiteral("a")) << QStringLiteral("A")
            << OptionalCode(QStringLiteral("A"));
    }
    void toggling() {
        QFETCH(OptionalCode, selected);
        QFETCH(QString, clicked);
        QFETCH(OptionalCode, after);
        QCOMPARE(TableSelection::toggled(selected, clicked), after);
    }

    void selectionSurvivesFilterChanges() {
        const QList<IPORecord> records{
            makeIPORecord(QStringLiteral("NOW"), QStringLiteral("本周"), marketTime(2025, 7, 8)),
            makeIPORecord(QStringLiteral("OLD"), QStringLiteral("上月"), marketTime(2025, 6, 3)),
        };
        const QDateTime now = marketTime(2025, 7, 9, 10);
        const OptionalCode selected = QStringLiteral("OLD");
        const auto listed = [&](TimeFilter filter) {
            return RecordSorting::sorted(
                TimeFiltering::filtered(records, filter, now, marketCalendar()));
        };
        std::optional<IPORecord> shown =
            TableSelection::selectedRecord(listed(TimeFilter::all), selected);
        QVERIFY(shown);
        QCOMPARE(shown->ipo.code, QStringLiteral("OLD"));
        // Filtered out: the panel closes, the selection stays.
        QVERIFY(!TableSelection::selectedRecord(listed(TimeFilter::thisWeek), selected));
        QVERIFY(!TableSelection::selectedRecord(listed(TimeFilter::thisMonth), selected));
        shown = TableSelection::selectedRecord(listed(TimeFilter::last30Days), selected);
        QVERIFY(!shown);
        shown = TableSelection::selectedRecord(listed(TimeFilter::all), selected);
        QVERIFY(shown);
        QCOMPARE(shown->ipo.name, QStringLiteral("上月"));
        QVERIFY(!TableSelection::selectedRecord(listed(TimeFilter::all), OptionalCode()));
    }

    void clearingDropsOnlyThatSelection_data() {
        QTest::addColumn<OptionalCode>("selected");
        QTest::addColumn<QString>("cleared");
        QTest::addColumn<OptionalCode>("after");
        QTest::newRow("the selected IPO")
            << OptionalCode(QStringLiteral("A")) << QStringLiteral("A") << OptionalCode();
        QTest::newRow("another IPO") << OptionalCode(QStringLiteral("A")) << QStringLiteral("B")
                                     << OptionalCode(QStringLiteral("A"));
        QTest::newRow("nothing selected")
            << OptionalCode() << QStringLiteral("A") << OptionalCode();
    }
    void clearingDropsOnlyThatSelection() {
        QFETCH(OptionalCode, selected);
        QFETCH(QString, cleared);
        QFETCH(OptionalCode, after);
        QCOMPARE(TableSelection::afterClearing(selected, cleared), after);
    }
};

ORVEL_TEST_CLASS(TableOrderTest);

#include "TableOrderTest.moc"
