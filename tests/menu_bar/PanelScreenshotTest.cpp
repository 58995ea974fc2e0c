#include "LocalService.h"
#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "settings/AppSettings.h"
#include "ui/look/AppearanceMonitor.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/menu_bar/CalendarDayCell.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/IPOTag.h"
#include "ui/menu_bar/LotBadge.h"
#include "ui/menu_bar/PanelFigures.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

namespace {

constexpr int networkTimeout = 20000;

bool near(const QColor &a, const QColor &b) {
    constexpr int tolerance = 6;
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

// The panel as the user sees it with the service's demo data, in light and dark, on the current
// month and the one before. With ORVEL_SCREENSHOT_DIR set the pictures are written there.
class PanelScreenshotTest : public QObject {
    Q_OBJECT

private:
    // Wednesday 14 May 2025, 10:00 in the market; the demo data is made around that day.
    const QDate m_today{2025, 5, 14};
    testsupport::ManualClock m_clock{utc("2025-05-14T02:00:00Z")};
    testsupport::LocalService m_service;
    testsupport::TestFolder m_folder;
    std::unique_ptr<IPOAPIClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<QWidget> m_window;
    ContentView *m_panel = nullptr;
    QLocale m_savedLocale;

    // Saves the user's figures for the first record that opens on `day`; false when none does.
    bool subscribe(const QDate &day, qint64 lots, qint64 wonLots, SubMethod method) {
        for (IPORecord record : m_repository->records()) {
            if (!record.ipo.subStart || marketCalendar().dayOf(*record.ipo.subStart) != day ||
                record.ipo.sharesPerLot() == 0)
                continue;
            record.subQuantity = lots * record.ipo.sharesPerLot();
            record.winQuantity = wonLots * record.ipo.sharesPerLot();
            record.subMethod = method;
            return m_repository->saveRecord(record);
        }
        return false;
    }

    QImage shoot(const QString &name, bool dark) {
        AppearanceMonitor::shared().setOverride(dark);
        QCoreApplication::processEvents();
        const QImage image = m_panel->grab().toImage();
        const QString folder = qEnvironmentVariable("ORVEL_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
            if (!image.save(path))
                qWarning("could not write %s", qPrintable(path));
            else
                qInfo("screenshot %s", qPrintable(path));
        }
        return image;
    }

    QStringList visibleEvents() const {
        QStringList texts;
        for (const ElidedLabel *event : m_panel->findChildren<ElidedLabel *>("todayEventLabel"))
            if (event->isVisible())
                texts.append(event->text());
        return texts;
    }

private slots:
    void initTestCase() {
        m_savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        m_service.setDemoDate(m_today);
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        m_settings = std::make_unique<AppSettings>(m_folder.makeSettings());
        m_client = std::make_unique<IPOAPIClient>(
            m_service.baseUrl(), IPOAPIClient::Options{std::chrono::milliseconds(networkTimeout),
                                                       m_service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        QVERIFY(store.hasValue());
        m_store = std::move(store).value();
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);
        m_settings->setCapitalAmount(300000);

        m_window = std::make_unique<QWidget>();
        m_panel = new ContentView(*m_repository, *m_settings, m_clock.clock(), nullptr, [] {});
        auto *layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->addWidget(m_panel, 0, Qt::AlignTop);
        m_window->resize(ContentView::panelWidth, 900);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(
            QTest::qWaitFor([this] { return !m_repository->records().isEmpty(); }, networkTimeout));

        // The user's own figures on a few of them: today's opening on margin, two earlier ones.
        QVERIFY(subscribe(m_today, 4, 0, SubMethod::margin));
        QVERIFY(subscribe(QDate(2025, 5, 12), 2, 1, SubMethod::cash));
        bool earlier = false;
        for (QDate day(2025, 4, 1); day.month() == 4 && !earlier; day = day.addDays(1))
            earlier = subscribe(day, 10, 2, SubMethod::margin);
        QVERIFY(earlier);
    }
    void cleanupTestCase() {
        AppearanceMonitor::shared().setOverride(std::nullopt);
        m_window.reset();
        m_repository.reset();
        m_store.reset();
        m_client.reset();
        m_settings.reset();
        QLocale::setDefault(m_savedLocale);
    }

    void currentMonth_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void currentMonth() {
        QFETCH(bool, dark);
        m_panel->calendarView()->showToday();
        const QImage image = shoot(dark ? QStringLiteral("panel-current-dark")
                                        : QStringLiteral("panel-current-light"),
                                   dark);
        QCOMPARE(image.width(), ContentView::panelWidth);
        QCOMPARE(image.height(), m_panel->height());

        const CalendarView *calendar = m_panel->calendarView();
        QCOMPARE(calendar->title(), QStringLiteral("2025年5月"));
        // May 2025 starts on a Thursday: five rows, 22 weekdays.
        QCOMPARE(calendar->rowCount(), 5);
        QCOMPARE(calendar->dayCells().size(), 22);

        // The demo has an opening today and a grey market today.
        const QStringList events = visibleEvents();
        QCOMPARE(events.size(), 2);
        QVERIFY(events.at(0).startsWith(subscriptionDayLabel));
        QVERIFY(events.at(1).startsWith(greyMarketDayLabel));

        // Today's number sits on an amber circle; its tag carries the subscription badge.
        const CalendarDayCell *today = nullptr;
        for (const CalendarDayCell *cell : calendar->dayCells())
            if (cell->isToday())
                today = cell;
        QVERIFY(today);
        QCOMPARE(today->dayNumber(), 14);
        const QPoint circleTop = today->mapTo(m_panel, QPoint(17, 9));
        QVERIFY2(near(image.pixelColor(circleTop), Palette::color(PaletteColor::accentAmber, dark)),
                 qPrintable(image.pixelColor(circleTop).name()));
        QCOMPARE(today->tags().at(0)->badges().at(0)->text(), QStringLiteral("申4"));

        // The usage line is a figure of the saved subscriptions, not of the month shown.
        QVERIFY(m_panel->findChild<ElidedLabel *>("usageLabel")->text().endsWith("%占用)"));
        QVERIFY(m_panel->findChild<ElidedLabel *>("monthlyFeesLabel")->isVisible());
    }

    void previousMonth_data() { currentMonth_data(); }
    void previousMonth() {
        QFETCH(bool, dark);
        m_panel->calendarView()->showToday();
        m_panel->calendarView()->showPreviousMonth();
        const QImage image = shoot(dark ? QStringLiteral("panel-previous-dark")
                                        : QStringLiteral("panel-previous-light"),
                                   dark);
        QCOMPARE(image.height(), m_panel->height());
        QCOMPARE(m_panel->calendarView()->title(), QStringLiteral("2025年4月"));
        for (const CalendarDayCell *cell : m_panel->calendarView()->dayCells())
            QVERIFY(!cell->isToday());
        // April's margin subscription of ten lots shows its badges somewhere in the grid.
        QStringList badges;
        for (const CalendarDayCell *cell : m_panel->calendarView()->dayCells())
            for (const IPOTag *tag : cell->tags())
                for (const LotBadge *badge : tag->badges())
                    badges.append(badge->text());
        QCOMPARE(badges, (QStringList{"申10", "中2"}));
    }
};

ORVEL_TEST_CLASS(PanelScreenshotTest);
#include "PanelScreenshotTest.moc"
