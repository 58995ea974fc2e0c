#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/RowBanding.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

// The table's list model: rows updated in place or started over, and the selected row.
class MainTableModelTest : public QObject {
    Q_OBJECT

private:
    MainTableModel m_model;
    QAbstractItemModelTester m_tester{&m_model,
                                      QAbstractItemModelTester::FailureReportingMode::QtTest};

    void list(const QList<IPORecord> &records) {
        m_model.setListed(records, RowBanding::bands(records, marketCalendar()));
    }

    static QList<IPORecord> threeRecords() {
        return {makeIPORecord(u"A"_s, u"<b>甲"_s, marketTime(2025, 7, 9)),
                makeIPORecord(u"B"_s, u"乙"_s, marketTime(2025, 7, 8)),
                makeIPORecord(u"C"_s, u"丙"_s, marketTime(2025, 7, 8))};
    }

private slots:
    void init() {
        list(threeRecords());
        m_model.setSelectedCode(std::nullopt);
    }

    // The same rows again update in place (the user's place in the list stays); other rows
    // start over.
    void republishingTheSameRowsKeepsThem() {
        QList<IPORecord> records = threeRecords();
        QSignalSpy resets(&m_model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&m_model, &QAbstractItemModel::dataChanged);
        records[2].subQuantity = 2000;
        list(records);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes[0][0].value<QModelIndex>().row(), 2);
        QCOMPARE(m_model.recordAt(2)->subQuantity, qint64(2000));

        records.removeFirst();
        list(records);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(m_model.bandAt(0), TableRowBand::warmLight);
        QVERIFY(!m_model.recordAt(2));
        QCOMPARE(m_model.bandAt(2), TableRowBand::missing);
    }

    void selectionAnnouncesBothRows() {
        QSignalSpy changes(&m_model, &QAbstractItemModel::dataChanged);
        m_model.setSelectedCode(u"B"_s);
        QCOMPARE(changes.count(), 1);
        m_model.setSelectedCode(u"C"_s);
        QCOMPARE(changes.count(), 3);
        QVERIFY(!m_model.isSelectedRow(1));
        QVERIFY(m_model.data(m_model.index(2), MainTableModel::SelectedRole).toBool());
        // Tooltips guess rich text from their content: the service's name is escaped.
        QCOMPARE(m_model.data(m_model.index(0), Qt::ToolTipRole).toString(),
                 u"<qt>&lt;b&gt;甲</qt>"_s);
        m_model.setSelectedCode(u"Z"_s);
        QCOMPARE(m_model.rowOf(u"Z"_s), -1);
        QVERIFY(!m_model.isSelectedRow(2));
    }
};

ORVEL_TEST_CLASS(MainTableModelTest);

#include "MainTableModelTest.moc"
