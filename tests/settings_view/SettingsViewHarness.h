#pragma once

#include "FakeNotificationCentre.h"
#include "FakeServiceClient.h"
#include "ManualClock.h"
#include "TestFolder.h"

#include "model/MarketCalendar.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "service/ApplicationInformation.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/settings/SettingsAlertPresenting.h"
#include "ui/settings/SettingsFilePicking.h"
#include "ui/settings/SettingsURLOpening.h"
#include "ui/settings/SettingsView.h"

#include <QCoroTask>

#include <memory>
#include <optional>

// Stand-ins for the dialogs (the chosen path, none: cancelled; the suggested names kept), the
// alerts and the browser (only web addresses, unless told to refuse).
class FakeFilePicking : public SettingsFilePicking {
public:
    std::optional<QString> savePath, openPath;
    QStringList suggestedNames;
    std::optional<QString> saveFileName(QWidget *, const QString &name) override {
        suggestedNames.append(name);
        return savePath;
    }
    std::optional<QString> openFileName(QWidget *) override { return openPath; }
    std::optional<QString> saveCalendarFileName(QWidget *, const QString &name) override {
        return saveFileName(nullptr, name);
    }
};

class RecordingAlerts : public SettingsAlertPresenting {
public:
    QList<SettingsAlertMessage> shown;
    void presentAlert(QWidget *, const SettingsAlertMessage &a) override { shown.append(a); }
};

class RecordingURLOpener : public SettingsURLOpening {
public:
    QList<QUrl> opened;
    bool refuses = false;
    bool openURL(const QUrl &url) override {
        if (refuses || !isWebAddress(url))
            return false;
        opened.append(url);
        return true;
    }
};

// One settings sheet over its own settings file, in-memory store, service stand-in and real
// reminder scheduler on a stand-in notification centre; nothing touches the user's files.
class SettingsViewHarness {
public:
    // The directly downloaded edition with a known version and a custom update host.
    static ApplicationInformationTable directEdition() {
        return {{appinfo::distributionChannelKey, QStringLiteral("direct")},
                {appinfo::shortVersionKey, QStringLiteral("1.3.2")},
                {appinfo::buildVersionKey, QStringLiteral("26")},
                {appinfo::updateEndpointKey,
                 QStringLiteral("https://updates.orvel.example:8443/v2/app/update")},
                {appinfo::privacyPolicyURLKey, QStringLiteral("https://orvel.example/privacy")}};
    }

    explicit SettingsViewHarness(
        std::optional<ApplicationInformationTable> information = directEdition())
        : m_information(std::move(information)) {
        store = std::move(UserIPOStore::open({.inMemory = true}).value());
        settings = std::make_unique<AppSettings>(folder.makeSettings());
        repository = std::make_unique<IPORepository>(
            client, *store, clock.clock(), 45.0,
            [this](const QList<IPORecord> &, IPORepository::ReminderSwitches) { ++rebuilds; });
        notifications =
            std::make_unique<NotificationManager>(&centre, clock.clock(), marketCalendar());
    }

    static RemoteIPO remoteIPO(const QString &code, const QString &listDate = {}) {
        const auto listed = listDate.isEmpty() ? std::nullopt : std::optional(listDate);
        return RemoteIPO(code, QStringLiteral("公司") + code, std::nullopt, std::nullopt, listed,
                         QStringLiteral("3,030"), QStringLiteral("2.80-3.03"), QString(),
                         IPOStatus::open, QString());
    }

    void listOnService(const QList<RemoteIPO> &items) {
        client.setItems(items);
        QCoro::waitFor(repository->refreshIfNeeded());
    }

    SettingsView &makeView() {
        view = std::make_unique<SettingsView>(*repository, *settings, *notifications, *store,
                                              m_information, &files, &alerts, &browser);
        return *view;
    }

    testsupport::TestFolder folder;
    // A Wednesday morning in the market's zone.
    testsupport::ManualClock clock{QDateTime(QDate(2025, 7, 9), QTime(10, 0), marketTimeZone())};
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
