#include "LocalService.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/StatusCapsule.h"

#include <QTest>

// A service failure after the real main window loaded: the capsule shows the failure's text as an
// error, the table keeps its records although the service's data changed, and a healthy refresh
// then shows the new data. The client's time-out, size cap and dropped connection end in the same
// kind of error: IPOAPIClientTest's transport rows.

using Fault = testsupport::LocalService::Fault;
Q_DECLARE_METATYPE(Fault)

namespace {

// What the service says before the window loaded ("02513") and after ("09988").
QJsonObject data(const char *secondCode) {
    return testsupport::serviceDataJson(
        {testsupport::remoteIPOJson("01234", "顺安智慧物流", "listed", "2025-06-02"),
         testsupport::remoteIPOJson(secondCode, "星河智能科技", "open", "2025-07-08")});
}

} // namespace

class ServiceFaultTest : public QObject {
    Q_OBJECT

    testsupport::LocalService m_service;

private slots:
    void faultShowsInCapsuleAndKeepsTable_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("stopService");
        // An exact text, or, ending in "…", the start of one whose end is the platform's wording.
        QTest::addColumn<QString>("expected");
        QTest::newRow("500 with error body")
            << Fault::withStatus(500, R"({"error":"服务维护中，请稍后再试"})") << false
            << "服务维护中，请稍后再试";
        QTest::newRow("malformed JSON")
            << Fault::malformedJson() << false << "数据格式错误：不是有效的 JSON…";
        QTest::newRow("service gone") << Fault() << true << "无法连接到服务器，请稍后重试";
    }

    void faultShowsInCapsuleAndKeepsTable() {
        QFETCH(Fault, fault);
        QFETCH(bool, stopService);
        QFETCH(QString, expected);
        if (!m_service.isRunning())
            QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        QVERIFY(m_service.clearFaults() && m_service.setData(data("02513")));
        IPOAPIClient client(m_service.baseUrl(),
                            {.extraCACertificates = m_service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        QVERIFY(store);
        IPORepository repository(client, **store);
        MainWindowView view(repository, systemClock(), nullptr);
        view.setTimeFilter(TimeFilter::all);
        view.resize(1000, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE_WITH_TIMEOUT(view.tableModel().rowCount(), 2, 15000);
        const QList<IPORecord> recordsBefore = repository.records();

        // The service moves on, then fails the next list request in the way under test.
        QVERIFY(m_service.setData(data("09988")));
        QVERIFY(stopService ? m_service.stop() : m_service.addFault("ipos", fault));
        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus().has_value(), 30000);
        const QString shown = *view.syncStatus();
        QVERIFY2(expected.endsWith(u'…')
                     ? shown.startsWith(expected.chopped(1)) && shown.size() >= expected.size()
                     : shown == expected,
                 qPrintable(shown));
        StatusCapsule *capsule = view.statusCapsule();
        QVERIFY(capsule->isVisible() && capsule->isShowing() && capsule->isError() &&
                capsule->text() == shown);
        QCOMPARE(repository.records(), recordsBefore);
        if (stopService)
            return; // a later row starts it again

        // The failure is not sticky: the next refresh gets through.
        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus() && !view.syncStatusIsError(), 30000);
        QVERIFY(std::any_of(repository.records().begin(), repository.records().end(),
                            [](const IPORecord &record) { return record.ipo.code == "09988"; }));
    }
};

ORVEL_TEST_CLASS(ServiceFaultTest);
#include "ServiceFaultTest.moc"
