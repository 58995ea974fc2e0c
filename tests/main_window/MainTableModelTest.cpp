#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/MainTableColumns.h"
#include "ui/main_window/MainTableList.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainTableRow.h"
#include "ui/main_window/RowBanding.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace mainwindowtest;

namespace {

QList<IPORecord> threeRecords() {
    QList<IPORecord> records{
        makeIPORecord(QStringLiteral("A"), QStringLiteral("甲"), marketTime(2025, 7, 9)),
        makeIPORecord(QStringLiteral("B"), QStringLiteral("乙"), marketTime(2025, 7, 8)),
        makeIPORecord(QStringLiteral("C"), QStringLiteral("丙"), marketTime(2025, 7, 8)),
    };
    records[0].ipo.prospectusURL = QStringLiteral("https://example.com/a.pdf");
    records[1].ipo.prospectusURL = QStringLiteral("javascript:alert(1)");
    return records;
}

} // namespace

// The list model and the list view that draws and clicks its rows.
class MainTableModelTest : public QObject {
    Q_OBJECT

private slots:
    void republishingTheSameRowsKeepsThem() {
        MainTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<IPORecord> records = threeRecords();
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.bandAt(1), TableRowBand::warmGray);

        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        records[2].subQuantity = 2000;
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes[0][0].value<QModelIndex>().row(), 2);
        QCOMPARE(model.recordAt(2)->subQuantity, qint64(2000));

        // Another set of rows (a filter change) starts over.
        records.removeFirst();
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.bandAt(0), TableRowBand::warmLight);
        QVERIFY(!model.recordAt(2));
        QCOMPARE(model.bandAt(5), TableRowBand::missing);
    }

    void selectionAnnouncesBothRows() {
        MainTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QList<IPORecord> records = threeRecords();
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        model.setSelectedCode(QStringLiteral("B"));
        QCOMPARE(changes.count(), 1);
        QVERIFY(model.isSelectedRow(1));
        model.setSelectedCode(QStringLiteral("C"));
        QCOMPARE(changes.count(), 3);
        QVERIFY(!model.isSelectedRow(1));
        QVERIFY(model.data(model.index(2), MainTableModel::SelectedRole).toBool());
        // A selection that is not listed selects no row.
        model.setSelectedCode(QStringLiteral("Z"));
        QCOMPARE(model.rowOf(QStringLiteral("Z")), -1);
        for (int row = 0; row < model.rowCount(); ++row)
            QVERIFY(!model.isSelectedRow(row));
    }

    void clicksReportRowsAndLinks() {
        MainTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QList<IPORecord> records = threeRecords();
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        MainTableList list(model);
        list.resize(800, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy rows(&list, &MainTableList::rowClicked);
        QSignalSpy links(&list, &MainTableList::prospectusClicked);

        const auto cellCentre = [&](int row, MainTableColumns::Column column) {
            const QRect item = list.itemRect(row);
            const QRect rowRect(item.left(), item.top(), item.width(), MainTableRow::minimumHeight);
            return MainTableColumns::cellRects(rowRect)[column].center();
        };
        QCOMPARE(list.itemRect(1).height(), MainTableRow::itemHeight);

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          cellCentre(0, MainTableColumns::prospectus));
        QCOMPARE(links.count(), 1);
        QCOMPARE(links[0][0].toUrl(), QUrl(QStringLiteral("https://example.com/a.pdf")));
        QCOMPARE(rows.count(), 0);

        // A link that may not be opened is no link: the click selects the row.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          cellCentre(1, MainTableColumns::prospectus));
        QCOMPARE(links.count(), 1);
        QCOMPARE(rows.count(), 1);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("B"));

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          cellCentre(2, MainTableColumns::name));
        QCOMPARE(rows.count(), 2);
        QCOMPARE(rows[1][0].toString(), QStringLiteral("C"));
        // Below the last row nothing is clicked.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, 290));
        QCOMPARE(rows.count(), 2);
        QTest::mouseClick(list.viewport(), Qt::RightButton, {},
                          cellCentre(0, MainTableColumns::name));
        QCOMPARE(rows.count(), 2);
    }

    void rowsAreDrawnInTheirBandAndSelection() {
        MainTableModel model;
        const QList<IPORecord> records = threeRecords();
        model.setListed(records, RowBanding::bands(records, marketCalendar()));
        model.setSelectedCode(QStringLiteral("B"));
        MainTableList list(model);
        list.resize(800, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QImage image = list.viewport()->grab().toImage();
        // Far right of the name column, clear of text and lines.
        const QRect rowB = list.itemRect(1);
        const QRect rowA = list.itemRect(0);
        const QPoint probeB(MainTableColumns::cellRects(rowB)[MainTableColumns::name].right() - 4,
                            rowB.top() + 3);
        const QPoint probeA(probeB.x(), rowA.top() + 3);
        QVERIFY(image.pixelColor(probeA) != image.pixelColor(probeB));
        // The leading bar of the selected row.
        const QColor bar = image.pixelColor(QPoint(1, rowB.center().y()));
        QVERIFY(bar.green() > bar.red() && bar.green() > bar.blue());
        const QColor noBar = image.pixelColor(QPoint(1, rowA.center().y()));
        QVERIFY(!(noBar.green() > noBar.red() + 40));
    }
};

ORVEL_TEST_CLASS(MainTableModelTest);

#include "MainTableModelTest.moc"
