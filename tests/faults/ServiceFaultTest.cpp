#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/StatusCapsule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <memory>

// Each kind of service failure (an error status with and without a message, a time-out, a body
// that is not JSON or too large, a broken, refused or untrusted connection), driven through the
// real client against the local service and shown by the real main window after its manual
// refresh: the status capsule holds the failure's text as an error, and the table keeps the
// records it had, even though the service's data changed in the meantime. A healthy refresh
// afterwards shows the new data. (Every decoding rule has its row in the wire-format test.)

namespace {

using Fault = testsupport::LocalService::Fault;

// How the client that meets the fault is set up. The window always loads through a healthy
// client first; the fault's own client replaces it just before the manual refresh.
enum class ClientProfile { healthy, shortTimeout, smallBodyCap, untrusting, serviceStopped };

constexpr std::chrono::milliseconds shortTimeout{1000};
constexpr qint64 smallBodyCap = 1024 * 1024;

// The repository's one client, switchable, so the same window meets the fault after loading.
class SwitchableClient : public IPOAPIClientProtocol {
public:
    explicit SwitchableClient(IPOAPIClient *client)
        : m_client(client) {}
    void use(IPOAPIClient *client) { m_client = client; }

    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString status, qint64 limit,
                                                                qint64 offset) override {
        return m_client->fetchIPOs(std::move(status), limit, offset);
    }
    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *cancellation) override {
        return m_client->fetchStats(cancellation);
    }
    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString platform,
                                                                 DistributionChannel channel,
                                                                 QString currentVersion,
                                                                 QString currentBuild) override {
        return m_client->fetchAppUpdate(std::move(platform), channel, std::move(currentVersion),
                                        std::move(currentBuild));
    }

private:
    IPOAPIClient *m_client;
};

QJsonArray firstItems() {
    using testsupport::remoteIPOJson;
    return {remoteIPOJson(QStringLiteral("02513"), QStringLiteral("星河智能科技"),
                          QStringLiteral("open"), QStringLiteral("2025-07-08")),
            remoteIPOJson(QStringLiteral("01234"), QStringLiteral("顺安智慧物流"),
                          QStringLiteral("listed"), QStringLiteral("2025-06-02"))};
}

// What the service says after the window loaded: a refresh that got through would show it.
QJsonArray laterItems() {
    QJsonArray items = firstItems();
    items[0] = testsupport::remoteIPOJson(QStringLiteral("09988"), QStringLiteral("华澜新能源"),
                                          QStringLiteral("open"), QStringLiteral("2025-07-09"));
    return items;
}

QByteArray errorBody(const QString &message) {
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), message}})
        .toJson(QJsonDocument::Compact);
}

QStringList codesOf(const QList<IPORecord> &records) {
    QStringList codes;
    for (const IPORecord &record : records)
        codes.append(record.ipo.code);
    return codes;
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(ClientProfile)

class ServiceFaultTest : public QObject {
    Q_OBJECT

private:
    testsupport::TestFolder m_folder;
    testsupport::LocalService m_service;

    IPOAPIClient::Options trusting() const {
        IPOAPIClient::Options options;
        options.extraCACertificates = m_service.caCertificates();
        return options;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        const QString data = m_folder.filePath(QStringLiteral("data.json"));
        QVERIFY(testsupport::writeDataFile(data, testsupport::serviceDataJson(firstItems())));
        QVERIFY2(m_service.start(data), qPrintable(m_service.errorString()));
    }

    void cleanupTestCase() { m_service.stop(); }

    void faultShowsInCapsuleAndKeepsTable_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<ClientProfile>("profile");
        QTest::addColumn<QString>("expected");
        // An exact text, or the start of one whose end is the platform's own wording.
        QTest::addColumn<bool>("exact");
        const auto healthy = ClientProfile::healthy;

        QTest::newRow("500 with error body")
            << Fault::withStatus(500, errorBody(QStringLiteral("服务维护中，请稍后再试")))
            << healthy << "服务维护中，请稍后再试" << true;
        QTest::newRow("502 without body")
            << Fault::withStatus(502, {}, {}) << healthy << "API 请求失败 (502)" << true;
        QTest::newRow("slow answer past the time-out")
            << Fault::delay(5000) << ClientProfile::shortTimeout << "请求超时，请检查网络后重试"
            << true;
        QTest::newRow("malformed JSON")
            << Fault::malformedJson() << healthy << "数据格式错误：不是有效的 JSON" << false;
        QTest::newRow("oversized body")
            << Fault::oversized(3 * smallBodyCap) << ClientProfile::smallBodyCap
            << "服务器返回的数据过大（超过 1 MiB），已拒绝" << true;
        QTest::newRow("dropped connection")
            << Fault::drop() << healthy << "服务器意外断开了连接" << true;
        QTest::newRow("untrusted certificate")
            << Fault() << ClientProfile::untrusting << "无法建立安全连接（" << false;
        QTest::newRow("service gone")
            << Fault() << ClientProfile::serviceStopped << "无法连接到服务器，请稍后重试" << true;
    }

    void faultShowsInCapsuleAndKeepsTable() {
        QFETCH(Fault, fault);
        QFETCH(ClientProfile, profile);
        QFETCH(QString, expected);
        QFETCH(bool, exact);

        if (!m_service.isRunning())
            QVERIFY2(m_service.start(m_folder.filePath(QStringLiteral("data.json"))),
                     qPrintable(m_service.errorString()));
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.setData(testsupport::serviceDataJson(firstItems())));

        IPOAPIClient healthyClient(m_service.baseUrl(), trusting());
        SwitchableClient client(&healthyClient);
        auto opened = UserIPOStore::open(UserIPOStore::Options{.inMemory = true});
        QVERIFY(opened);
        IPORepository repository(client, *opened.value());
        MainWindowView view(repository, systemClock(), nullptr);
        view.setTimeFilter(TimeFilter::all);
        view.resize(1000, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE_WITH_TIMEOUT(repository.records().size(), firstItems().size(), 15000);
        const QList<IPORecord> recordsBefore = repository.records();
        const QList<IPORecord> listedBefore = view.tableModel().listed();
        QCOMPARE(listedBefore.size(), 2);

        // The service moves on, then fails the next list request in the way under test.
        QVERIFY(m_service.setData(testsupport::serviceDataJson(laterItems())));
        IPOAPIClient::Options options = trusting();
        if (profile == ClientProfile::shortTimeout)
            options.timeout = shortTimeout;
        if (profile == ClientProfile::smallBodyCap)
            options.maxBodyBytes = smallBodyCap;
        if (profile == ClientProfile::untrusting)
            options.extraCACertificates.clear();
        IPOAPIClient faultyClient(m_service.baseUrl(), options);
        client.use(&faultyClient);
        if (profile == ClientProfile::serviceStopped)
            QVERIFY(m_service.stop());
        else if (profile != ClientProfile::untrusting)
            QVERIFY(m_service.addFault(QStringLiteral("ipos"), fault));

        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus().has_value(), 30000);
        const QString shown = *view.syncStatus();
        if (exact)
            QCOMPARE(shown, expected);
        else
            QVERIFY2(shown.startsWith(expected) && shown.size() > expected.size(),
                     qPrintable(shown));
        QVERIFY(view.syncStatusIsError());
        StatusCapsule *capsule = view.statusCapsule();
        QVERIFY(capsule->isVisible());
        QVERIFY(capsule->isShowing());
        QCOMPARE(capsule->text(), shown);
        QVERIFY(capsule->isError());

        QCOMPARE(repository.records(), recordsBefore);
        QCOMPARE(view.tableModel().listed(), listedBefore);
        QCOMPARE(view.tableModel().rowCount(), listedBefore.size());
        QCOMPARE(repository.lastRefreshError(), std::optional<QString>(shown));

        // The failure is not sticky: with the service back to normal the next refresh gets
        // through and the table shows what the service has now.
        if (profile == ClientProfile::serviceStopped)
            QVERIFY2(m_service.start(m_folder.filePath(QStringLiteral("data.json"))),
                     qPrintable(m_service.errorString()));
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.setData(testsupport::serviceDataJson(laterItems())));
        IPOAPIClient recoveredClient(m_service.baseUrl(), trusting());
        client.use(&recoveredClient);
        view.refreshManually();
        QTRY_VERIFY_WITH_TIMEOUT(view.syncStatus() && !view.syncStatusIsError(), 30000);
        QStringList codesAfter = codesOf(repository.records());
        codesAfter.sort();
        QCOMPARE(codesAfter, QStringList({QStringLiteral("01234"), QStringLiteral("09988")}));
        QCOMPARE(view.tableModel().rowCount(), 2);
    }
};

ORVEL_TEST_CLASS(ServiceFaultTest);
#include "ServiceFaultTest.moc"
