#include "LocalService.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "ui/look/AppearanceMonitor.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"
#include "ui/main_window/SegmentedControl.h"
#include "ui/main_window/TableCellText.h"
#include "ui/main_window/TimeFiltering.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <memory>

// The main window over the local service's demo data, as the user sees it. With
// ORVEL_SCREENSHOT_DIR set it also writes light and dark pictures, with and without a selected
// record, into that folder.
class MainWindowScreenshotTest : public QObject {
    Q_OBJECT

private:
    // A Wednesday: the demo data is made around it, and the week runs from 6 to 12 July.
    const QDate m_today{2025, 7, 9};
    testsupport::LocalService m_service;
    testsupport::ManualClock m_clock{QDateTime(QDate(2025, 7, 9), QTime(10, 0), marketTimeZone())};
    std::unique_ptr<IPOAPIClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    std::unique_ptr<MainWindowView> m_view;
    QString m_folder;

    void capture(const QString &name) {
        if (m_folder.isEmpty())
            return;
        // Let the panel and the capsule finish moving before the picture is taken.
        QTest::qWait(400);
        const QImage image = m_view->grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(QDir(m_folder).filePath(name + QStringLiteral(".png"))));
    }

private slots:
    void initTestCase() {
        m_folder = qEnvironmentVariable("ORVEL_SCREENSHOT_DIR");
        if (!m_folder.isEmpty())
            QVERIFY(QDir().mkpath(m_folder));
        m_service.setDemoDate(m_today);
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        m_client = std::make_unique<IPOAPIClient>(
            m_service.baseUrl(),
            IPOAPIClientOptions{std::chrono::milliseconds(20000), m_service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        QVERIFY(store);
        m_store = std::move(store.value());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);
    }

    void cleanupTestCase() {
        AppearanceMonitor::shared().setOverride(std::nullopt);
        m_view.reset();
        m_repository.reset();
        m_store.reset();
        m_client.reset();
    }

    void demoDataInBothAppearances_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void demoDataInBothAppearances() {
        QFETCH(bool, dark);
        AppearanceMonitor::shared().setOverride(dark);
        const QString suffix = dark ? QStringLiteral("dark") : QStringLiteral("light");

        m_view = std::make_unique<MainWindowView>(*m_repository, m_clock.clock(), nullptr);
        QAbstractItemModelTester tester(&m_view->tableModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_view->resize(860, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_repository->records().isEmpty(), 15000);
        QTRY_VERIFY(!m_repository->isRefreshing());
        // The content never gets narrower than its minimum.
        QCOMPARE(m_view->size(), QSize(900, 600));

        // The default view: this week's IPOs, each opening between Sunday and Saturday.
        QCOMPARE(
            m_view->timeFilterControl()->labels().at(m_view->timeFilterControl()->currentIndex()),
            QStringLiteral("本周"));
        const MainTableModel &model = m_view->tableModel();
        QVERIFY(model.rowCount() > 0);
        QVERIFY(model.rowCount() < m_repository->records().size());
        for (const IPORecord &record : model.listed()) {
            QVERIFY(record.ipo.subStart);
            const QDate day = marketCalendar().dayOf(*record.ipo.subStart);
            QVERIFY(day >= QDate(2025, 7, 6) && day <= QDate(2025, 7, 12));
        }
        capture(QStringLiteral("main-window-") + suffix);

        // Everything, with the user's figures on one IPO, selected.
        QTest::mouseClick(m_view->timeFilterControl(), Qt::LeftButton, {},
                          m_view->timeFilterControl()->segmentRect(3).center());
        QCOMPARE(model.rowCount(), m_repository->records().size());
        IPORecord chosen = model.listed().at(qMin<qsizetype>(3, model.rowCount() - 1));
        if (!dark) {
            for (int i = 0; i < 6 && i < model.rowCount(); i += 2) {
                IPORecord withFigures = model.listed().at(i);
                const qint64 perLot = qMax<qint64>(1, withFigures.ipo.sharesPerLot());
                withFigures.subQuantity = perLot * (i + 2);
                withFigures.winQuantity = i == 2 ? perLot : 0;
                withFigures.subMethod = i == 2 ? SubMethod::margin : SubMethod::cash;
                QVERIFY(m_repository->saveRecord(withFigures));
            }
        }
        chosen = model.listed().at(2);
        QCOMPARE(chosen.subMethod, SubMethod::margin);
        m_view->toggleSelection(chosen.ipo.code);
        RecordDetailPanel *panel = m_view->detailPanel();
        QVERIFY(panel);
        QTRY_COMPARE(panel->x(), 0);
        QVERIFY(m_view->width() >= 700 + 1 + 240);
        const QLabel *name = panel->findChild<QLabel *>(QStringLiteral("RecordName"));
        QCOMPARE(name->text(), chosen.ipo.name);
        QCOMPARE(panel->subQtyText(), QString::number(chosen.subQuantity));
        QCOMPARE(panel->subscriptionField()->lotCountText(),
                 QString::number(chosen.subQuantity / qMax<qint64>(1, chosen.ipo.sharesPerLot())) +
                     QStringLiteral(" 手"));
        QVERIFY(panel->financingText().startsWith(QStringLiteral("融资 HK$")));
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存记录"));
        capture(QStringLiteral("main-window-selected-") + suffix);

        // The capsule after a manual refresh.
        m_view->refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(m_view->syncStatus(), 15000);
        QVERIFY(!m_view->syncStatusIsError());
        capture(QStringLiteral("main-window-refreshed-") + suffix);
        m_view.reset();
    }
};

ORVEL_TEST_CLASS(MainWindowScreenshotTest);

#include "MainWindowScreenshotTest.moc"
