#pragma once

#include "FakeFilePicking.h"
#include "FakeNotificationCentre.h"
#include "FakeServiceClient.h"
#include "ManualClock.h"
#include "RecordingAlerts.h"
#include "RecordingURLOpener.h"
#include "TestFolder.h"

#include "model/MarketCalendar.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "service/ApplicationInformation.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/settings/SettingsView.h"

#include <QCoroTask>

#include <memory>
#include <optional>

// One settings sheet over its own settings file, in-memory store, service stand-in, real
// reminder scheduler on a stand-in notification centre, and recording dialogs, alerts and
// browser. Nothing here touches the user's files or the desktop.
class SettingsViewHarness {
public:
    // A Wednesday morning in the market's zone.
    static QDateTime morning() {
        return QDateTime(QDate(2025, 7, 9), QTime(10, 0), marketTimeZone());
    }

    // The directly downloaded edition with a known version and a custom update host.
    static ApplicationInformationTable directEdition() {
        return {
            {appinfo::distributionChannelKey, QStringLiteral("direct")},
            {appinfo::shortVersionKey, QStringLiteral("1.3.2")},
            {appinfo::buildVersionKey, QStringLiteral("26")},
            {appinfo::updateEndpointKey,
             QStringLiteral("https://updates.orvel.example:8443/v2/app/update")},
            {appinfo::privacyPolicyURLKey, QStringLiteral("https://orvel.example/privacy")},
        };
    }

    explicit SettingsViewHarness(
        std::optional<ApplicationInformationTable> information = directEdition())
        : m_information(std::move(information)) {
        auto opened = UserIPOStore::open({.inMemory = true});
        if (!opened)
            return;
        store = std::move(opened.value());
        settings = std::make_unique<AppSettings>(folder.makeSettings());
        repository = std::make_unique<IPORepository>(
            client, *store, clock.clock(), 45.0,
            [this](const QList<IPORecord> &, IPORepository::ReminderSwitches) { ++rebuilds; });
        notifications =
            std::make_unique<NotificationManager>(&centre, clock.clock(), marketCalendar());
    }

    bool isValid() const { return folder.isValid() && store && settings; }

    // Lists these IPOs on the service and lets the repository fetch them.
    void listOnService(const QList<RemoteIPO> &items) {
        client.setItems(items);
        QCoro::waitFor(repository->refreshIfNeeded());
    }

    SettingsView &makeView() {
        view = std::make_unique<SettingsView>(*repository, *settings, *notifications, *store,
                                              m_information, &files, &alerts, &browser);
        return *view;
    }

    static RemoteIPO remoteIPO(const QString &code, const QString &listDate = {}) {
        RemoteIPO ipo;
        ipo.code = code;
        ipo.name = QStringLiteral("公司") + code;
        ipo.lotAmount = QStringLiteral("3,030");
        ipo.priceRange = QStringLiteral("2.80-3.03");
        ipo.status = IPOStatus::open;
        ipo.board = QStringLiteral("主板");
        if (!listDate.isEmpty())
            ipo.listDate = listDate;
        return ipo;
    }

    testsupport::TestFolder folder;
    testsupport::ManualClock clock{morning()};
    FakeServiceClient client;
    FakeNotificationCentre centre;
    FakeFilePicking files;
    RecordingAlerts alerts;
    RecordingURLOpener browser;
    int rebuilds = 0;
    std::unique_ptr<UserIPOStore> store;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<IPORepository> repository;
    std::unique_ptr<NotificationManager> notifications;
    std::unique_ptr<SettingsView> view;

private:
    std::optional<ApplicationInformationTable> m_information;
};
