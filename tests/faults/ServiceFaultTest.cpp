#include "FakeServiceClient.h"
#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/StatusCapsule.h"

#include <QTest>

// Each kind of service failure, through the real client and local service, after the real main
// window's manual refresh: the capsule shows the failure's text as an error and the table keeps
// its records although the service's data changed; a healthy refresh then shows the new data.

namespace {

using Fault = testsupport::LocalService::Fault;

// The client that meets the fault (short time-out, 1 MiB cap), put in place after the window
// loaded through a healthy one.
enum class Profile { healthy, serviceStopped };

// The repository's one client: the list comes from the real client of the moment.
struct SwitchableClient : FakeServiceClient {
    IPOAPIClient *client = nullptr;
    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString status, qint64 limit,
                                                                qint64 offset) override {
        return client->fetchIPOs(std::move(status), limit, offset);
    }
};

// What the service says before the window loaded ("02513") and after ("09988").
QJsonObject data(const char *secondCode) {
    return testsupport::serviceDataJson(
        {testsupport::remoteIPOJson("01234", "顺安智慧物流", "listed", "2025-06-02"),
         testsupport::remoteIPOJson(secondCode, "星河智能科技", "open", "2025-07-08")});
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Profile)

class ServiceFaultTest : public QObject {
    Q_OBJECT

    testsupport::TestFolder m_folder;
    testsupport::LocalService m_service;

    bool startService() {
        const QString file = m_folder.filePath("data.json");
        return testsupport::writeDataFile(file, data("02513")) && m_service.start(file);
    }
    IPOAPIClient::Options trusting() const {
        return {.extraCACertificates = m_service.caCertificates()};
    }

private slots:
    void faultShowsInCapsuleAndKeepsTable_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Profile>("profile");
        // An exact text, or, ending in "…", the start of one whose end is the platform's wording.
        QTest::addColumn<QString>("expected");
        QTest::newRow("500 with error body")
            << Fault::withStatus(500, R"({"error":"服务维护中，请稍后再试"})") << Profile::healthy
            << "服务维护中，请稍后再试";
        QTest::newRow("502 without body")
            << Fault::withStatus(502, {}, {}) << Profile::healthy << "API 请求失败 (502)";
        QTest::newRow("slow answer past the time-out")
            << Fault::delay(5000) << Profile::healthy << "请求超时，请检查网络后重试";
        QTest::newRow("malformed JSON")
            << Fault::malformedJson() << Profile::healthy << "数据格式错误：不是有效的 JSON…";
        QTest::newRow("oversized body") << Fault::oversized(3 << 20) << Profile::healthy
                                        << "服务器返回的数据过大（超过 1 MiB），已拒绝";
        QTest::newRow("dropped connection")
            << Fault::drop() << Profile::healthy << "服务器意外断开了连接";
        QTest::newRow("service gone")
            << Fault() << Profile::serviceStopped << "无法连接到服务器，请稍后重试";
    }

    void faultShowsInCapsuleAndKeepsTable() {
        QFETCH(Fault, fault);
        QFETCH(Profile, profile);
        QFETCH(QString, expected);
        if (!m_service.isRunning())
            QVERIFY2(startService(), qPrintable(m_service.errorString()));
        QVERIFY(m_service.clearFaults() && m_service.setData(data("02513")));

        IPOAPIClient healthyClient(m_service.baseUrl(), trusting());
        SwitchableClient client;
        client.client = &healthyClient;
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
        const QList<IPORecord> listedBefore = view.tableModel().listed();

        // The service moves on, then fails the next list request in the way under test.
        QVERIFY(m_service.setData(data("09988")));
        IPOAPIClient::Options options = trusting();
        options.timeout = std::chrono::seconds(2);
        options.maxBodyBytes = 1 << 20;
        IPOAPIClient faultyClient(m_service.baseUrl(), options);
        client.client = &faultyClient;
        if (profile == Profile::serviceStopped)
            QVERIFY(m_service.stop());
        else
            QVERIFY(m_service.addFault("ipos", fault));

        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus().has_value(), 30000);
        const QString shown = *view.syncStatus();
        if (expected.endsWith(u'…'))
            QVERIFY2(shown.startsWith(expected.chopped(1)) && shown.size() >= expected.size(),
                     qPrintable(shown));
        else
            QCOMPARE(shown, expected);
        QVERIFY(view.syncStatusIsError());
        StatusCapsule *capsule = view.statusCapsule();
        QVERIFY(capsule->isVisible() && capsule->isShowing() && capsule->isError());
        QCOMPARE(capsule->text(), shown);
        QCOMPARE(repository.records(), recordsBefore);
        QCOMPARE(view.tableModel().listed(), listedBefore);
        QCOMPARE(repository.lastRefreshError(), std::optional<QString>(shown));

        // The failure is not sticky: with the service back to normal the next refresh gets through.
        if (profile == Profile::serviceStopped)
            QVERIFY2(startService(), qPrintable(m_service.errorString()));
        QVERIFY(m_service.clearFaults() && m_service.setData(data("09988")));
        IPOAPIClient recoveredClient(m_service.baseUrl(), trusting());
        client.client = &recoveredClient;
        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus() && !view.syncStatusIsError(), 30000);
        QCOMPARE(view.tableModel().rowCount(), 2);
        QVERIFY(std::any_of(repository.records().begin(), repository.records().end(),
                            [](const IPORecord &record) { return record.ipo.code == "09988"; }));
    }
};

ORVEL_TEST_CLASS(ServiceFaultTest);
#include "ServiceFaultTest.moc"
