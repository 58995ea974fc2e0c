#include "FakeServiceClient.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "store/UserIPOStore.h"

#include <QCoroTask>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

QList<RemoteIPO> remotes(const QStringList &codes) {
    QList<RemoteIPO> items;
    for (const QString &code : codes)
        items.append(RemoteIPO{code, {}, {}, {}, {}, {}, {}, {}, IPOStatus::open, {}});
    return items;
}

RemoteIPOStatsResponse statsWith(const QString &status, qint64 inserted, qint64 updated,
                                 std::optional<QString> errorMessage = std::nullopt) {
    return {{1, 2, 3}, RemoteSyncSummary{{}, {}, {}, status, inserted, updated, 0, errorMessage}};
}

QStringList codesOf(const QList<IPORecord> &records) {
    QStringList codes;
    for (const IPORecord &record : records)
        codes << record.ipo.code;
    return codes;
}

using When = IPORepository::RefreshWhen;

const SyncStatusReport updated{QStringLiteral("API 数据已更新"), false};

} // namespace

class IPORepositoryTest : public QObject {
    Q_OBJECT

private:
    testsupport::ManualClock m_clock;
    FakeServiceClient *m_client = nullptr;
    bool m_failCommits = false;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    QList<QPair<QStringList, IPORepository::ReminderSwitches>> m_reminderSyncs;
    IPORepository::ReminderSwitches m_reminderSwitches;

    qsizetype listRequests() const { return m_client->listRequests.size(); }
    std::optional<SyncStatusReport> refresh(IPORepository::RefreshWhen when, bool report) {
        return QCoro::waitFor(
            m_repository->refresh(when, report ? IPORepository::RefreshReport::status
                                               : IPORepository::RefreshReport::none));
    }

private slots:
    void init() {
        m_client = new FakeServiceClient;
        m_client->setItems(remotes({"02590", "00700"}));
        m_failCommits = false;
        UserIPOStore::Options options{.inMemory = true};
        options.persistChanges = [this](QSqlDatabase &database) {
            return m_failCommits ? UserIPOStore::Result(QStringLiteral("磁盘已满"))
                                 : UserIPOStore::commitChanges(database);
        };
        auto store = UserIPOStore::open(options);
        QVERIFY(store.hasValue());
        m_store = std::move(store).value();
        m_reminderSyncs.clear();
        m_reminderSwitches = {};
        m_repository = std::make_unique<IPORepository>(
            *m_client, *m_store, m_clock.clock(), 45.0,
            [this](const QList<IPORecord> &records, IPORepository::ReminderSwitches switches) {
                m_reminderSyncs.append({codesOf(records), switches});
            },
            [this] { return m_reminderSwitches; });
    }

    void cleanup() {
        m_repository.reset();
        m_store.reset();
        delete m_client;
    }

    void joinedRefreshesShareOneRun() {
        m_client->holdAnswers = true;
        m_client->statsAnswer = statsWith(QStringLiteral("success"), 2, 1);
        QSignalSpy recordsChanged(m_repository.get(), &IPORepository::recordsChanged);
        QSignalSpy refreshing(m_repository.get(), &IPORepository::isRefreshingChanged);
        QCoro::Task<SyncStatusReport> first = m_repository->forceRefresh();
        QCoro::Task<SyncStatusReport> second = m_repository->forceRefresh();
        QCoro::Task<> third = m_repository->refreshIfNeeded();
        QCOMPARE(listRequests(), 1);
        QCOMPARE(m_client->statsRequests, 1);
        QVERIFY(m_repository->isRefreshing());

        m_client->release();
        const SyncStatusReport a = QCoro::waitFor(first);
        QCOMPARE(a, (SyncStatusReport{QStringLiteral("API 数据已更新：3 条变更"), false}));
        QCOMPARE(QCoro::waitFor(second), a);
        QCoro::waitFor(third);
        QCOMPARE(listRequests(), 1);
        QCOMPARE(recordsChanged.count(), 1);
        QCOMPARE(m_reminderSyncs.size(), 1);
        QCOMPARE(refreshing.count(), 2);
        QVERIFY(!m_repository->isRefreshing());
        QVERIFY(m_client->listRequests.first() == std::make_tuple(QStringLiteral("all"), 500, 0));
    }

    // Refreshing while nothing ever succeeded runs until a success, then never again; a stale
    // one follows the gate; an unconditional one always runs.
    void refreshArguments() {
        QCOMPARE(refresh(When::neverSucceeded, false), std::nullopt);
        QCOMPARE(listRequests(), 1);
        m_clock.advanceSecs(10);
        QCOMPARE(refresh(When::neverSucceeded, true), std::nullopt);
        QCOMPARE(refresh(When::stale, true), std::nullopt);
        QCOMPARE(listRequests(), 1);
        QCOMPARE(refresh(When::always, true), updated);
        QCOMPARE(listRequests(), 2);
        m_clock.advanceSecs(45);
        QCOMPARE(refresh(When::stale, true), updated);
        m_clock.advanceSecs(45);
        QCOMPARE(refresh(When::stale, false), std::nullopt);
        QCOMPARE(listRequests(), 4);
    }

    // Before any success every call asks; a failure changes nothing it had, and the gate still
    // measures from the last success.
    void failureKeepsStateAndTheGateMeasuresFromLastSuccess() {
        m_client->listAnswer = IPOAPIClientError::transport(QStringLiteral("请求超时"));
        QCoro::waitFor(m_repository->refreshIfNeeded());
        QCoro::waitFor(m_repository->refreshIfNeeded());
        QCOMPARE(listRequests(), 2);
        QVERIFY(!m_repository->lastSuccessfulRefreshAt());

        m_client->setItems(remotes({"02590", "00700"}));
        m_client->statsAnswer = statsWith(QStringLiteral("success"), 0, 0);
        QCoro::waitFor(m_repository->forceRefresh());
        const QList<IPORecord> before = m_repository->records();
        const auto statsBefore = m_repository->latestStats();
        const QDateTime success = *m_repository->lastSuccessfulRefreshAt();
        m_client->listAnswer = IPOAPIClientError::serverError(QStringLiteral("服务维护中"));
        m_client->statsAnswer = statsWith(QStringLiteral("success"), 9, 9);
        m_client->statsWaitForCancellation = true;
        QSignalSpy recordsChanged(m_repository.get(), &IPORepository::recordsChanged);
        m_clock.advanceSecs(10);
        QCOMPARE(QCoro::waitFor(m_repository->forceRefresh()),
                 (SyncStatusReport{QStringLiteral("服务维护中"), true}));
        // Without the list the statistics are worth nothing: their request was ended, not
        // waited out.
        QCOMPARE(m_client->statsCancelled, 1);
        m_client->statsWaitForCancellation = false;
        QCOMPARE(m_repository->records(), before);
        QCOMPARE(m_repository->latestStats(), statsBefore);
        QCOMPARE(*m_repository->lastSuccessfulRefreshAt(), success);
        QCOMPARE(m_repository->lastRefreshError(), std::optional(QStringLiteral("服务维护中")));
        QCOMPARE(recordsChanged.count(), 0);
        // 44.999 s after the success (35 s after the failure) is still fresh; 45 s is not; a
        // success in the future (the clock was set back) counts as fresh.
        for (const auto &[step, requests] : {std::pair{34999, 4}, {1, 5}, {-3600000, 5}}) {
            m_clock.advance(step);
            QCoro::waitFor(m_repository->refreshIfNeeded());
            QCOMPARE(listRequests(), requests);
        }
    }

    // A failure of the statistics only drops them.
    void statsFailureStillSucceeds() {
        m_client->statsAnswer = statsWith(QStringLiteral("success"), 1, 0);
        QCoro::waitFor(m_repository->forceRefresh());
        const auto firstStats = m_repository->latestStats();
        QVERIFY(firstStats);
        m_client->setItems(remotes({"09999"}));
        m_client->statsAnswer = IPOAPIClientError::decoding(QStringLiteral("坏数据"));
        QCOMPARE(QCoro::waitFor(m_repository->forceRefresh()), updated);
        QCOMPARE(codesOf(m_repository->records()), QStringList{"09999"});
        QCOMPARE(m_repository->latestStats(), firstStats);
    }

    void syncStatusText_data() {
        QTest::addColumn<std::optional<RemoteIPOStatsResponse>>("stats");
        QTest::addColumn<QString>("text");
        const auto stats = [](auto... arguments) {
            return std::optional(statsWith(arguments...));
        };
        const QString ok = QStringLiteral("success"), failed = QStringLiteral("failed");
        QTest::newRow("no stats") << std::optional<RemoteIPOStatsResponse>() << "API 数据已更新";
        QTest::newRow("failed, no message") << stats(failed, 5, 5) << "API 已连接，最近抓取失败";
        QTest::newRow("failed, empty message")
            << stats(failed, 0, 0, QString()) << "API 已连接，最近抓取失败";
        QTest::newRow("failed, message")
            << stats(QStringLiteral("error"), 0, 0, QStringLiteral("上游超时"))
            << "最近抓取失败：上游超时";
        QTest::newRow("status is case-sensitive")
            << stats(QStringLiteral("Success"), 1, 0) << "API 已连接，最近抓取失败";
        QTest::newRow("nothing changed") << stats(ok, 0, 0) << "API 数据已同步";
        QTest::newRow("three changes") << stats(ok, 2, 1) << "API 数据已更新：3 条变更";
        // Absurd counts from the service: the sum stops at the ends of the range.
        constexpr qint64 most = std::numeric_limits<qint64>::max();
        QTest::newRow("sum past the largest count")
            << stats(ok, most, 1) << "API 数据已更新：9223372036854775807 条变更";
        QTest::newRow("sum past the smallest count") << stats(ok, -most, -2) << "API 数据已同步";
    }
    void syncStatusText() {
        QFETCH(std::optional<RemoteIPOStatsResponse>, stats);
        QFETCH(QString, text);
        QCOMPARE(IPORepository::syncStatusText(stats), text);
    }

    // Records follow the service's order with the user's figures merged in; an orphan entry stays
    // stored, just not shown. Reminders follow every rebuild with the switches of the moment.
    void mergeFollowsServiceOrderAndKeepsOrphans() {
        QVERIFY(m_store->saveEntry(QStringLiteral("00700"), 2000, 500, SubMethod::margin));
        QVERIFY(m_store->saveEntry({"01810", 100, 0, 0, {}, {}, {"小米", {}, {}, "10.00"}}));
        m_reminderSwitches = {u"closingDayNotificationsEnabled"_s};
        QCoro::waitFor(m_repository->forceRefresh());
        const QList<IPORecord> records = m_repository->records();
        QCOMPARE(codesOf(records), (QStringList{"02590", "00700"}));
        QCOMPARE(records[0].subQuantity, 0);
        QCOMPARE(records[1].subQuantity, 2000);
        QCOMPARE(records[1].winQuantity, 500);
        QCOMPARE(records[1].subMethod, SubMethod::margin);
        QCOMPARE(m_store->entriesByCode().size(), 2);
        // The ledger keeps the orphan, named from its copy.
        const QList<IPORecord> ledger = m_repository->ledgerRecords();
        QCOMPARE(codesOf(ledger), (QStringList{"00700", "01810"}));
        QCOMPARE(ledger[1].ipo.name, QStringLiteral("小米"));
        QCOMPARE(m_reminderSyncs.last(),
                 qMakePair(QStringList{"02590", "00700"}, m_reminderSwitches));
    }

    // Saving and clearing rebuild (and resync reminders); a failed write is logged and changes
    // nothing, and nothing of it rides along with the next good commit.
    void saveAndClear() {
        QCoro::waitFor(m_repository->forceRefresh());
        IPORecord edited = m_repository->records().at(1);
        edited.subQuantity = 3000;
        edited.winQuantity = 1000;
        edited.subMethod = SubMethod::margin;
        edited.sale = {3000, 1000, 3500, QDate(2025, 1, 17), 1234};
        QVERIFY(m_repository->saveRecord(edited));
        edited.updatedAt = m_store->entriesByCode().value("00700").updatedAt;
        QCOMPARE(m_repository->records().at(1), edited);
        QCOMPARE(m_store->entriesByCode().value("00700").ipo.name, edited.ipo.name);

        const QList<IPORecord> before = m_repository->records();
        m_failCommits = true;
        edited.subQuantity = 5000;
        QTest::ignoreMessage(QtWarningMsg, "[Store] Failed saving user IPO entry: 磁盘已满");
        QVERIFY(!m_repository->saveRecord(edited));
        QTest::ignoreMessage(QtWarningMsg, "[Store] Failed clearing user IPO entry: 磁盘已满");
        QVERIFY(!m_repository->clearRecord(edited.ipo.code));
        QCOMPARE(m_repository->records(), before);
        m_failCommits = false;
        QVERIFY(m_repository->saveRecord(m_repository->records().at(0)));
        QCOMPARE(m_repository->records().at(1).subQuantity, 3000);

        const qsizetype syncsBefore = m_reminderSyncs.size();
        QVERIFY(m_repository->clearRecord(QStringLiteral("00700")));
        QCOMPARE(m_repository->records().at(1).subQuantity, 0);
        QCOMPARE(m_repository->records().at(1).subMethod, SubMethod::cash);
        // An unknown code is no error, and still rebuilds.
        QVERIFY(m_repository->clearRecord(QStringLiteral("55555")));
        QCOMPARE(m_reminderSyncs.size(), syncsBefore + 2);
        QCOMPARE(m_repository->records().size(), 2);
    }

    // Only the direct edition asks; the client's error reaches the caller unchanged.
    void updateCheckOnlyForTheDirectEdition() {
        ApplicationInformationTable information{
            {QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.3.0")},
            {QStringLiteral("CFBundleVersion"), QStringLiteral("26")},
            {QStringLiteral("ORVELDistributionChannel"), QStringLiteral("appstore")}};
        m_client->updateAnswer = IPOAPIClientError::serverError(QStringLiteral("不可用"));
        QCOMPARE(QCoro::waitFor(m_repository->checkForUpdate(information)).has_value(), false);
        information.insert(QStringLiteral("ORVELDistributionChannel"), QStringLiteral("direct"));
        const auto answer = QCoro::waitFor(m_repository->checkForUpdate(information));
        QVERIFY(answer && !answer->hasValue());
        QCOMPARE(answer->error().description(), QStringLiteral("不可用"));
        QCOMPARE(m_client->updateRequests,
                 (QList<QStringList>{{"linux", "direct", "1.3.0", "26"}}));
    }
};

ORVEL_TEST_CLASS(IPORepositoryTest);

#include "IPORepositoryTest.moc"
