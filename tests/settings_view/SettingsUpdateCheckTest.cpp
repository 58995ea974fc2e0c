#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/look/ViewStyle.h"
#include "ui/settings/SettingsButton.h"
#include "ui/settings/SettingsLabel.h"
#include "ui/settings/SettingsUpdateCheck.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QUrl websiteRoot(QStringLiteral("https://updates.orvel.example:8443"));

AppUpdateResponse newerBuild(const QString &downloadUrl, const QString &version = "1.4.0",
                             qint64 build = 27) {
    AppUpdateResponse response;
    response.updateAvailable = true;
    response.latestVersion = version;
    response.latestBuild = build;
    response.downloadUrl = downloadUrl;
    return response;
}

AppUpdateResponse upToDate() {
    AppUpdateResponse response;
    response.updateAvailable = false;
    response.latestVersion = QStringLiteral("1.3.2");
    response.latestBuild = 26;
    response.downloadUrl = QStringLiteral("https://orvel.example/download");
    return response;
}

using UpdateResult = std::optional<ServiceResult<AppUpdateResponse>>;

} // namespace

Q_DECLARE_METATYPE(UpdateResult)

// The update section: the download address, every status line of the check, the edition gate
// and the privacy page.
class SettingsUpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    void resolveDownloadURL_data() {
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<QString>("resolved"); // empty: no usable address
        QTest::newRow("absolute https")
            << QStringLiteral("https://cdn.orvel.example/orvel-1.4.0.tar.gz")
            << QStringLiteral("https://cdn.orvel.example/orvel-1.4.0.tar.gz");
        QTest::newRow("absolute http") << QStringLiteral("http://orvel.example/download")
                                       << QStringLiteral("http://orvel.example/download");
        QTest::newRow("bare path on the website root")
            << QStringLiteral("/downloads/orvel-1.4.0.tar.gz")
            << QStringLiteral("https://updates.orvel.example:8443/downloads/orvel-1.4.0.tar.gz");
        QTest::newRow("relative path on the website root")
            << QStringLiteral("downloads/latest")
            << QStringLiteral("https://updates.orvel.example:8443/downloads/latest");
        QTest::newRow("path with query")
            << QStringLiteral("/download?build=27")
            << QStringLiteral("https://updates.orvel.example:8443/download?build=27");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << QString();
        QTest::newRow("local file") << QStringLiteral("file:///usr/bin/xterm") << QString();
        QTest::newRow("custom scheme") << QStringLiteral("orvel://install/1.4.0") << QString();
        QTest::newRow("mail") << QStringLiteral("mailto:team@orvel.example") << QString();
        QTest::newRow("web scheme without host") << QStringLiteral("https:download") << QString();
        QTest::newRow("does not parse") << QStringLiteral("http://[::1") << QString();
        QTest::newRow("space in path")
            << QStringLiteral("/downloads/orvel 1.4.tar.gz") << QString();
    }
    void resolveDownloadURL() {
        QFETCH(QString, downloadUrl);
        QFETCH(QString, resolved);
        const std::optional<QUrl> address =
            SettingsUpdateCheck::resolveDownloadURL(downloadUrl, websiteRoot);
        QCOMPARE(address.has_value(), !resolved.isEmpty());
        if (address)
            QCOMPARE(address->toString(), resolved);
    }

    void finished_data() {
        QTest::addColumn<UpdateResult>("result");
        QTest::addColumn<bool>("browserRefuses");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isError");
        QTest::addColumn<QString>("opened");

        QTest::newRow("no answer for this edition")
            << UpdateResult() << false << QStringLiteral("当前分发渠道不提供站外更新。") << false
            << QString();
        QTest::newRow("service error")
            << UpdateResult(IPOAPIClientError::serverError(QStringLiteral("服务维护中"))) << false
            << QStringLiteral("检查更新失败：服务维护中") << true << QString();
        QTest::newRow("invalid response")
            << UpdateResult(IPOAPIClientError::invalidResponse()) << false
            << QStringLiteral("检查更新失败：API 返回了无效响应") << true << QString();
        QTest::newRow("up to date") << UpdateResult(upToDate()) << false
                                    << QStringLiteral("已是最新版本。") << false << QString();
        QTest::newRow("newer build")
            << UpdateResult(newerBuild(QStringLiteral("https://orvel.example/download"))) << false
            << QStringLiteral("发现新版本 1.4.0 (27)，已打开下载页面。") << false
            << QStringLiteral("https://orvel.example/download");
        QTest::newRow("newer build on a bare path")
            << UpdateResult(newerBuild(QStringLiteral("/downloads/orvel-2.0.tar.gz"),
                                       QStringLiteral("2.0.0-beta"), 3001))
            << false << QStringLiteral("发现新版本 2.0.0-beta (3001)，已打开下载页面。") << false
            << QStringLiteral("https://updates.orvel.example:8443/downloads/orvel-2.0.tar.gz");
        QTest::newRow("newer build without usable address")
            << UpdateResult(newerBuild(QStringLiteral("javascript:alert(1)"))) << false
            << QStringLiteral("发现新版本，但下载地址无效，请稍后重试。") << true << QString();
        QTest::newRow("newer build with empty address")
            << UpdateResult(newerBuild(QString())) << false
            << QStringLiteral("发现新版本，但下载地址无效，请稍后重试。") << true << QString();
        QTest::newRow("newer build but no browser")
            << UpdateResult(newerBuild(QStringLiteral("https://orvel.example/download"))) << true
            << QStringLiteral("发现新版本 1.4.0 (27)，但无法打开下载页面，请在浏览器中访问 "
                              "https://orvel.example/download。")
            << true << QString();
    }
    void finished() {
        QFETCH(UpdateResult, result);
        QFETCH(bool, browserRefuses);
        QFETCH(QString, message);
        QFETCH(bool, isError);
        QFETCH(QString, opened);
        RecordingURLOpener browser;
        browser.refuses = browserRefuses;
        const SettingsUpdateCheck::Status status = SettingsUpdateCheck::finished(
            result, websiteRoot, [&browser](const QUrl &url) { return browser.openURL(url); });
        QCOMPARE(status.message, message);
        QCOMPARE(status.isError, isError);
        QCOMPARE(browser.opened.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(browser.opened.first().toString(), opened);
    }

    void checkButtonRunsTheCheck_data() {
        QTest::addColumn<UpdateResult>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isError");
        QTest::addColumn<QString>("opened");
        QTest::newRow("newer build")
            << UpdateResult(newerBuild(QStringLiteral("https://orvel.example/download/1.4.0")))
            << QStringLiteral("发现新版本 1.4.0 (27)，已打开下载页面。") << false
            << QStringLiteral("https://orvel.example/download/1.4.0");
        // The table moves the update endpoint to another host and port; a bare path opens there.
        QTest::newRow("bare path on the website root")
            << UpdateResult(newerBuild(QStringLiteral("/downloads/orvel-1.4.0.tar.gz")))
            << QStringLiteral("发现新版本 1.4.0 (27)，已打开下载页面。") << false
            << QStringLiteral("https://updates.orvel.example:8443/downloads/orvel-1.4.0.tar.gz");
        QTest::newRow("up to date")
            << UpdateResult(upToDate()) << QStringLiteral("已是最新版本。") << false << QString();
        QTest::newRow("unusable address")
            << UpdateResult(newerBuild(QStringLiteral("file:///tmp/orvel")))
            << QStringLiteral("发现新版本，但下载地址无效，请稍后重试。") << true << QString();
        QTest::newRow("request fails")
            << UpdateResult(IPOAPIClientError::transport(QStringLiteral("网络连接已断开")))
            << QStringLiteral("检查更新失败：网络连接已断开") << true << QString();
    }
    void checkButtonRunsTheCheck() {
        QFETCH(UpdateResult, answer);
        QFETCH(QString, message);
        QFETCH(bool, isError);
        QFETCH(QString, opened);

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        QVERIFY(answer.has_value());
        harness.client.updateAnswer = *answer;
        harness.client.holdUpdateAnswer = true;
        SettingsView &view = harness.makeView();
        view.show();
        auto *button = view.findChild<SettingsButton *>(QStringLiteral("CheckForUpdatesButton"));
        auto *status = view.findChild<SettingsLabel *>(QStringLiteral("UpdateStatus"));
        QVERIFY(button && status);
        QCOMPARE(button->text(), QStringLiteral("检查更新"));
        QCOMPARE(button->symbolName(), QStringLiteral("arrow.triangle.2.circlepath"));
        QVERIFY(!view.updateStatusMessage());
        QVERIFY(status->isHidden());

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(view.isCheckingForUpdates());
        QCOMPARE(button->text(), QStringLiteral("检查中..."));
        QVERIFY(!button->isEnabled());
        QCOMPARE(view.updateStatusMessage(), std::optional(QStringLiteral("正在检查新版本...")));
        QVERIFY(!view.updateStatusIsError());
        QVERIFY(!status->isHidden());
        QCOMPARE(status->text(), QStringLiteral("正在检查新版本..."));
        // A second press while the check runs starts nothing.
        QTest::mouseClick(button, Qt::LeftButton);
        view.checkForUpdates();
        QTRY_COMPARE(harness.client.updateRequests.size(), 1);
        // The request carries this build's version from the table.
        QCOMPARE(harness.client.updateRequests.first(),
                 QStringList({QStringLiteral("macos"), QStringLiteral("direct"),
                              QStringLiteral("1.3.2"), QStringLiteral("26")}));

        QSignalSpy statusChanged(&view, &SettingsView::updateStatusChanged);
        harness.client.release();
        QVERIFY(statusChanged.wait());
        QVERIFY(!view.isCheckingForUpdates());
        QCOMPARE(button->text(), QStringLiteral("检查更新"));
        QVERIFY(button->isEnabled());
        QCOMPARE(view.updateStatusMessage(), std::optional(message));
        QCOMPARE(view.updateStatusIsError(), isError);
        QCOMPARE(status->text(), message);
        QCOMPARE(status->textFormat(), Qt::PlainText);
        QCOMPARE(status->textColor(), isError ? ViewStyle::failureRed()
                                              : ViewStyle::color(PaletteColor::textSecondary, 0.8));
        QCOMPARE(harness.browser.opened.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(harness.browser.opened.first().toString(), opened);
        QVERIFY(harness.alerts.shown.isEmpty());

        // The line stays while the sheet is hidden and shown again.
        view.hide();
        view.show();
        QCOMPARE(view.updateStatusMessage(), std::optional(message));
    }

    void editionGate_data() {
        QTest::addColumn<QVariant>("channel"); // invalid: the key is absent
        QTest::addColumn<bool>("shown");
        QTest::newRow("direct") << QVariant(QStringLiteral("direct")) << true;
        QTest::newRow("app store") << QVariant(QStringLiteral("appstore")) << false;
        QTest::newRow("absent") << QVariant() << false;
        QTest::newRow("capitalised") << QVariant(QStringLiteral("Direct")) << false;
        QTest::newRow("padded") << QVariant(QStringLiteral("direct ")) << false;
        QTest::newRow("empty") << QVariant(QString()) << false;
        QTest::newRow("not a string") << QVariant(1) << false;
    }
    void editionGate() {
        QFETCH(QVariant, channel);
        QFETCH(bool, shown);
        ApplicationInformationTable table = SettingsViewHarness::directEdition();
        table.remove(appinfo::distributionChannelKey);
        if (channel.isValid())
            table.insert(appinfo::distributionChannelKey, channel);
        QCOMPARE(SettingsUpdateCheck::showsUpdateSection(table), shown);

        SettingsViewHarness harness(table);
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        view.show();
        QStringList headings;
        for (const QLabel *heading : view.findChildren<QLabel *>(QStringLiteral("SectionHeading")))
            headings.append(heading->text());
        QStringList expected = {QStringLiteral("用户打新资金"), QStringLiteral("界面设置"),
                                QStringLiteral("提醒设置"), QStringLiteral("数据备份与恢复")};
        if (shown)
            expected.insert(3, QStringLiteral("应用更新"));
        QCOMPARE(headings, expected);
        QCOMPARE(view.hasUpdateSection(), shown);
        QCOMPARE(view.findChild<QWidget *>(QStringLiteral("PrivacyButton")) != nullptr, shown);
        QCOMPARE(view.findChild<QWidget *>(QStringLiteral("CheckForUpdatesButton")) != nullptr,
                 shown);

        if (shown)
            return;
        // Even asked directly, an edition without the section never contacts the service.
        view.checkForUpdates();
        QTRY_VERIFY(!view.isCheckingForUpdates());
        QCOMPARE(view.updateStatusMessage(),
                 std::optional(QStringLiteral("当前分发渠道不提供站外更新。")));
        QVERIFY(!view.updateStatusIsError());
        QVERIFY(harness.client.updateRequests.isEmpty());
    }

    void privacyPage_data() {
        QTest::addColumn<QVariant>("configured"); // invalid: the key is absent
        QTest::addColumn<bool>("browserRefuses");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("alertText");
        QTest::newRow("configured page")
            << QVariant(QStringLiteral("https://orvel.example/privacy")) << false
            << QStringLiteral("https://orvel.example/privacy") << QString();
        QTest::newRow("default page")
            << QVariant() << false << defaultPrivacyPolicyURL().toString() << QString();
        QTest::newRow("not a web address")
            << QVariant(QStringLiteral("ftp://orvel.example/privacy.txt")) << false << QString()
            << QStringLiteral("当前应用未配置隐私政策链接。");
        QTest::newRow("no browser")
            << QVariant(QStringLiteral("https://orvel.example/privacy")) << true << QString()
            << QStringLiteral("无法启动浏览器，请手动访问 https://orvel.example/privacy。");
    }
    void privacyPage() {
        QFETCH(QVariant, configured);
        QFETCH(bool, browserRefuses);
        QFETCH(QString, opened);
        QFETCH(QString, alertText);
        ApplicationInformationTable table = SettingsViewHarness::directEdition();
        table.remove(appinfo::privacyPolicyURLKey);
        if (configured.isValid())
            table.insert(appinfo::privacyPolicyURLKey, configured);

        SettingsViewHarness harness(table);
        QVERIFY(harness.isValid());
        harness.browser.refuses = browserRefuses;
        SettingsView &view = harness.makeView();
        view.show();
        auto *button = view.findChild<SettingsButton *>(QStringLiteral("PrivacyButton"));
        QVERIFY(button);
        QVERIFY(button->text().startsWith(QStringLiteral("隐私")));
        QCOMPARE(button->symbolName(), QStringLiteral("hand.raised"));
        QTest::mouseClick(button, Qt::LeftButton);

        QCOMPARE(harness.browser.opened.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(harness.browser.opened.first().toString(), opened);
        QCOMPARE(harness.alerts.shown.size(), alertText.isEmpty() ? 0 : 1);
        if (alertText.isEmpty())
            return;
        QCOMPARE(harness.alerts.shown.first().title, QStringLiteral("无法打开隐私政策"));
        QCOMPARE(harness.alerts.shown.first().message, alertText);
    }

    void closingTheSheetMidCheckIsSafe() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.client.updateAnswer = newerBuild(QStringLiteral("/download"));
        harness.client.holdUpdateAnswer = true;
        harness.makeView().checkForUpdates();
        QTRY_COMPARE(harness.client.updateRequests.size(), 1);
        harness.view.reset();
        harness.client.release();
        QTRY_COMPARE(harness.client.updateAnswersDelivered, 1);
        // The answer arrived after the sheet closed: no page opens for a sheet nobody sees.
        QVERIFY(harness.browser.opened.isEmpty());
    }
};

ORVEL_TEST_CLASS(SettingsUpdateCheckTest);

#include "SettingsUpdateCheckTest.moc"
