#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/look/AppearanceMonitor.h"
#include "ui/look/ViewStyle.h"
#include "ui/settings/SettingsLabel.h"

#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

// The sheet as the user sees it, light and dark, checked by its pixels. With
// ORVEL_SCREENSHOT_DIR set, the pictures are also written to that folder.
class SettingsViewScreenshotTest : public QObject {
    Q_OBJECT

private:
    QString m_folder;

    void save(const QImage &image, const QString &name) {
        if (m_folder.isEmpty())
            return;
        QVERIFY(image.save(QDir(m_folder).filePath(name + QStringLiteral(".png"))));
    }

private slots:
    void initTestCase() {
        m_folder = qEnvironmentVariable("ORVEL_SCREENSHOT_DIR");
        if (!m_folder.isEmpty())
            QVERIFY(QDir().mkpath(m_folder));
    }

    void cleanupTestCase() { AppearanceMonitor::shared().setOverride(std::nullopt); }

    void bothAppearances_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("failedCheck");
        QTest::newRow("light") << false << false;
        QTest::newRow("dark") << true << true;
    }
    void bothAppearances() {
        QFETCH(bool, dark);
        QFETCH(bool, failedCheck);
        AppearanceMonitor::shared().setOverride(dark);
        const QString suffix = dark ? QStringLiteral("dark") : QStringLiteral("light");

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.settings->setCapitalAmount(1250000.4);
        harness.settings->setDarkMarketNotificationsEnabled(true);
        // The closing-day switch off in light and on in dark, so both looks get seen.
        harness.settings->setClosingDayNotificationsEnabled(dark);
        if (failedCheck) {
            harness.client.updateAnswer =
                IPOAPIClientError::transport(QStringLiteral("无法连接到服务器"));
        } else {
            AppUpdateResponse newer;
            newer.updateAvailable = true;
            newer.latestVersion = QStringLiteral("1.4.0");
            newer.latestBuild = 27;
            newer.downloadUrl = QStringLiteral("/downloads/orvel-1.4.0.tar.gz");
            harness.client.updateAnswer = newer;
        }
        SettingsView &view = harness.makeView();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy statusChanged(&view, &SettingsView::updateStatusChanged);
        view.checkForUpdates();
        QTRY_VERIFY(!view.isCheckingForUpdates());
        QCOMPARE(view.capitalText(), QStringLiteral("1250000"));

        const QImage top = view.grab().toImage();
        QCOMPARE(top.size(), QSize(440, 500) * top.devicePixelRatio());
        QCOMPARE(top.devicePixelRatio(), 1.0);
        const auto colorAt = [&top](int x, int y) {
            return top.pixelColor(x, y).rgb();
        };
        const auto paletteRgb = [dark](PaletteColor name) {
            return Palette::color(name, dark).rgb();
        };
        // Title bar, its bottom line, the canvas beside the cards, the footer's top line and
        // the footer, each in this appearance's colours.
        QCOMPARE(colorAt(2, 2), paletteRgb(PaletteColor::mutedFill));
        QCOMPARE(colorAt(2, 43), paletteRgb(PaletteColor::borderColor));
        QCOMPARE(colorAt(2, 60), paletteRgb(PaletteColor::canvasBackground));
        QCOMPARE(colorAt(2, 472), paletteRgb(PaletteColor::borderColor));
        QCOMPARE(colorAt(2, 490), paletteRgb(PaletteColor::mutedFill));
        // The capital card sits on the canvas in its own colour.
        const QWidget *field = view.findChild<QWidget *>(QStringLiteral("CapitalField"));
        QVERIFY(field);
        const QPoint inCard = field->mapTo(&view, QPoint(0, 0)) + QPoint(-8, -8);
        QCOMPARE(colorAt(inCard.x(), inCard.y()), paletteRgb(PaletteColor::cardBackground));
        save(top, QStringLiteral("settings-") + suffix);

        // The rest of the body, scrolled to the end, with the update line in its colour.
        auto *scroll = view.findChild<QScrollArea *>(QStringLiteral("SettingsScroll"));
        QVERIFY(scroll);
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        auto *status = view.findChild<SettingsLabel *>(QStringLiteral("UpdateStatus"));
        QVERIFY(status && status->isVisible());
        QCOMPARE(status->hasFailureTone(), failedCheck);
        QCOMPARE(status->text(), failedCheck
                                     ? QStringLiteral("检查更新失败：无法连接到服务器")
                                     : QStringLiteral("发现新版本 1.4.0 (27)，已打开下载页面。"));
        const QImage bottom = view.grab().toImage();
        QCOMPARE(bottom.size(), top.size());
        // Some of the status line's pixels are drawn in its colour (text is antialiased, so
        // only fully covered pixels match).
        const QRect line(status->mapTo(&view, QPoint(0, 0)), status->size());
        QVERIFY(QRect(0, 44, 440, 428).contains(line));
        const QRgb expected = failedCheck ? ViewStyle::failureRed().rgb() : 0;
        if (failedCheck) {
            bool found = false;
            for (int y = line.top(); y <= line.bottom() && !found; ++y)
                for (int x = line.left(); x <= line.right() && !found; ++x)
                    found = bottom.pixelColor(x, y).rgb() == expected;
            QVERIFY(found);
        }
        save(bottom, QStringLiteral("settings-scrolled-") + suffix);
    }
};

ORVEL_TEST_CLASS(SettingsViewScreenshotTest);

#include "SettingsViewScreenshotTest.moc"
