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

// Answers the file dialogs with the path the test chose (none: cancelled), keeping the names
// the sheet suggested.
class FakeFilePicking : public SettingsFilePicking {
public:
    std::optional<QString> savePath;
    std::optional<QString> openPath;
    QStringList suggestedNames;

    std::optional<QString> saveFileName(QWidget *, const QString &suggested) override {
        suggestedNames.append(suggested);
        return savePath;
    }
    std::optional<QString> openFileName(QWidget *) override { return openPath; }
    std::optional<QString> saveCalendarFileName(QWidget *, const QString &suggested) override {
        return saveFileName(nullptr, suggested);
    }
};

// Keeps the alerts instead of showing them.
class RecordingAlerts : public SettingsAlertPresenting {
public:
    QList<SettingsAlertMessage> shown;
    void presentAlert(QWidget *, const SettingsAlertMessage &alert,
                      std::function<void()>) override {
        shown.append(alert);
    }
};

// A browser that keeps the web addresses it was given, unless told to refuse.
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

// One settings sheet over its own settings file, in-memory store, service stand-in, real
// reminder scheduler on a stand-in notification centre, and recording dialogs, alerts and
// browser. Nothing here touches the user's files or the desktop.
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
        RemoteIPO ipo;
        ipo.code = code;
        ipo.name = QStringLiteral("公司") + code;
        ipo.lotAmount = QStringLiteral("3,030");
        ipo.priceRange = QStringLiteral("2.80-3.03");
        ipo.status = IPOStatus::open;
        if (!listDate.isEmpty())
            ipo.listDate = listDate;
        return ipo;
    }

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
