#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsButton.h"
#include "ui/settings/SettingsUpdateCheck.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QUrl websiteRoot(u"https://updates.orvel.example:8443"_s);

AppUpdateResponse answer(bool updateAvailable, const QString &downloadUrl) {
    return {updateAvailable, u"1.4.0"_s, 27, downloadUrl, {}, {}, {}};
}

using UpdateResult = std::optional<ServiceResult<AppUpdateResponse>>;

} // namespace

class SettingsUpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    // The address comes from the network: only a web page may be opened; a path opens on the
    // update host.
    void resolveDownloadURL() {
        const QString root = websiteRoot.toString();
        const QList<std::pair<QString, QString>> cases{
            {u"https://cdn.orvel.example/a.tar.gz"_s, u"https://cdn.orvel.example/a.tar.gz"_s},
            {u"/downloads/a.tar.gz"_s, root + u"/downloads/a.tar.gz"_s},
            {u"downloads/latest?build=27"_s, root + u"/downloads/latest?build=27"_s},
            {QString(), QString()},
            {u"javascript:alert(1)"_s, QString()},
            {u"file:///usr/bin/xterm"_s, QString()},
            {u"https:download"_s, QString()},
            {u"http://[::1"_s, QString()},
            {u"/downloads/orvel 1.4.tar.gz"_s, QString()}};
        for (const auto &[downloadUrl, resolved] : cases)
            QCOMPARE(SettingsUpdateCheck::resolveDownloadURL(downloadUrl, websiteRoot)
                         .value_or(QUrl())
                         .toString(),
                     resolved);
    }

    void finished() {
        const auto finish = [](const UpdateResult &result, bool browserRefuses) {
            RecordingURLOpener browser;
            browser.refuses = browserRefuses;
            const SettingsUpdateCheck::Status status = SettingsUpdateCheck::finished(
                result, websiteRoot, [&browser](const QUrl &url) { return browser.openURL(url); });
            return QStringList{status.message, status.isError ? u"error"_s : QString(),
                               browser.opened.value(0).toString()};
        };
        const QString page = u"https://orvel.example/download"_s;
        QCOMPARE(finish(UpdateResult(), false),
                 (QStringList{u"当前分发渠道不提供站外更新。"_s, {}, {}}));
        QCOMPARE(finish(IPOAPIClientError::serverError(u"服务维护中"_s), false),
                 (QStringList{u"检查更新失败：服务维护中"_s, u"error"_s, {}}));
        QCOMPARE(finish(answer(false, page), false), (QStringList{u"已是最新版本。"_s, {}, {}}));
        QCOMPARE(finish(answer(true, page), false),
                 (QStringList{u"发现新版本 1.4.0 (27)，已打开下载页面。"_s, {}, page}));
        QCOMPARE(finish(answer(true, u"javascript:alert(1)"_s), false),
                 (QStringList{u"发现新版本，但下载地址无效，请稍后重试。"_s, u"error"_s, {}}));
        QCOMPARE(finish(answer(true, page), true),
                 (QStringList{u"发现新版本 1.4.0 (27)，但无法打开下载页面，请在浏览器中访问 "
                              u"https://orvel.example/download。"_s,
                              u"error"_s,
                              {}}));
    }

    // A bare path opens on the table's update host; the sheet closed mid-check opens nothing.
    void checkButtonRunsTheCheck() {
        SettingsViewHarness harness;
        harness.client.updateAnswer = answer(true, u"/downloads/orvel-1.4.0.tar.gz"_s);
        harness.client.holdUpdateAnswer = true;
        SettingsView &view = harness.makeView();
        view.show();
        auto *button = view.findChild<SettingsButton *>(u"CheckForUpdatesButton"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isEnabled());
        view.checkForUpdates(); // a second press while the check runs starts nothing
        QTRY_COMPARE(harness.client.updateRequests.size(), 1);
        QCOMPARE(harness.client.updateRequests.first(),
                 QStringList({u"linux"_s, u"direct"_s, u"1.3.2"_s, u"26"_s}));
        harness.client.release();
        QTRY_VERIFY(button->isEnabled());
        QCOMPARE(view.updateStatusMessage(),
                 std::optional(u"发现新版本 1.4.0 (27)，已打开下载页面。"_s));
        QCOMPARE(harness.browser.opened,
                 QList{QUrl(u"https://updates.orvel.example:8443/downloads/orvel-1.4.0.tar.gz"_s)});

        view.checkForUpdates();
        QTRY_COMPARE(harness.client.updateRequests.size(), 2);
        harness.view.reset();
        harness.client.release();
        QTRY_COMPARE(harness.client.updateAnswersDelivered, 2);
        QCOMPARE(harness.browser.opened.size(), 1);
    }

    void editionGate() {
        const auto edition = [](const QVariant &channel) {
            ApplicationInformationTable table = SettingsViewHarness::directEdition();
            table.remove(appinfo::distributionChannelKey);
            if (channel.isValid())
                table.insert(appinfo::distributionChannelKey, channel);
            return table;
        };
        QVERIFY(SettingsUpdateCheck::showsUpdateSection(edition(u"direct"_s)));
        for (const QVariant &other : {QVariant(u"appstore"_s), QVariant(), QVariant(u"Direct"_s)})
            QVERIFY(!SettingsUpdateCheck::showsUpdateSection(edition(other)));
    }

    // The page opens in the browser; an address that is no web page, or no browser, says so.
    void privacyPage() {
        const auto open = [](const QVariant &configured, bool browserRefuses) {
            ApplicationInformationTable table = SettingsViewHarness::directEdition();
            table.remove(appinfo::privacyPolicyURLKey);
            if (configured.isValid())
                table.insert(appinfo::privacyPolicyURLKey, configured);
            RecordingURLOpener browser;
            browser.refuses = browserRefuses;
            const std::optional<SettingsAlertMessage> alert = SettingsUpdateCheck::openPrivacyPage(
                table, [&browser](const QUrl &url) { return browser.openURL(url); });
            return alert ? alert->title + u": "_s + alert->message
                         : browser.opened.value(0).toString();
        };
        const QString page = u"https://orvel.example/privacy"_s;
        QCOMPARE(open(page, false), page);
        QCOMPARE(open(QVariant(), false), defaultPrivacyPolicyURL().toString());
        QCOMPARE(open(u"ftp://orvel.example/privacy.txt"_s, false),
                 u"无法打开隐私政策: 当前应用未配置隐私政策链接。"_s);
        QCOMPARE(open(page, true),
                 u"无法打开隐私政策: 无法启动浏览器，请手动访问 https://orvel.example/privacy。"_s);
    }
};

ORVEL_TEST_CLASS(SettingsUpdateCheckTest);

#include "SettingsUpdateCheckTest.moc"
