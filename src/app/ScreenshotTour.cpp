#include "ScreenshotTour.h"

#include "MainWindow.h"
#include "OrvelApp.h"
#include "PanelWindow.h"
#include "model/MoneyText.h"
#include "model/SaleForm.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/ResultsView.h"
#include "ui/main_window/SaleField.h"
#include "ui/menu_bar/ContentView.h"

#include <QApplication>
#include <QCoroSignal>
#include <QCoroTimer>
#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

ScreenshotTour::ScreenshotTour(OrvelApp &app, QDir directory, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_directory(std::move(directory)) {}

void ScreenshotTour::start() {
    run();
}

QCoro::Task<> ScreenshotTour::settle(int milliseconds) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(milliseconds);
    co_await timer;
}

bool ScreenshotTour::save(QWidget &widget, const QString &name) {
    const QString path = m_directory.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    if (saved)
        qInfo().noquote() << QStringLiteral("[Shell] Screenshot %1").arg(path);
    else
        ++m_failures;
    return saved;
}

QCoro::Task<bool> ScreenshotTour::showTypedSale(MainWindowView &content) {
    // A listed IPO with a price, allotted and sold on its grey-market day at a fifth above the
    // top of the range: typed only, never saved, so the user's entries stay as they are.
    for (const IPORecord &record : content.filteredRecords()) {
        const std::optional<qint64> top = record.ipo.maxOfferPriceMills();
        const std::optional<QDate> grey = SaleForm::greyMarketDay(record);
        if (record.ipo.status != IPOStatus::listed || !top || !grey ||
            record.ipo.sharesPerLot() <= 0)
            continue;
        if (content.selectedCode() != record.ipo.code)
            content.toggleSelection(record.ipo.code);
        co_await settle(600);
        RecordDetailPanel *panel = content.detailPanel();
        if (!panel)
            co_return false;
        panel->sellPriceField()->setText(MoneyText::mills(*top * 6 / 5));
        panel->sellDateField()->setText(grey->toString(Qt::ISODate));
        panel->subscriptionField()->setText(QString::number(record.ipo.sharesPerLot() * 4));
        panel->allotmentField()->setText(QString::number(record.ipo.sharesPerLot()));
        co_await settle(300);
        // Down to the live result line, which a 600-point window shows only scrolled.
        if (auto *scroll = panel->findChild<QScrollArea *>(QStringLiteral("DetailScroll")))
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        co_await settle(200);
        co_return true;
    }
    co_return false;
}

bool ScreenshotTour::saveResultsSheet(const QList<IPORecord> &records, const QString &suffix) {
    // A year of made-up entries on the demo list's listed IPOs, shown in the real sheet: the
    // user's own store is never written for a screenshot.
    QList<IPORecord> ledger;
    const int sellPercent[] = {125, 92, 140, 108, 0, 101};
    for (const IPORecord &listed : records) {
        const std::optional<qint64> top = listed.ipo.maxOfferPriceMills();
        const std::optional<QDate> grey = SaleForm::greyMarketDay(listed);
        if (listed.ipo.status != IPOStatus::listed || !top || !grey ||
            listed.ipo.sharesPerLot() <= 0)
            continue;
        IPORecord entry = listed;
        const int percent = sellPercent[ledger.size()];
        entry.subQuantity = listed.ipo.sharesPerLot() * 10;
        entry.winQuantity = percent > 0 ? listed.ipo.sharesPerLot() : 0;
        entry.subMethod = ledger.size() % 2 ? SubMethod::cash : SubMethod::margin;
        entry.updatedAt = QDateTime(*grey, QTime(12, 0), Qt::UTC);
        if (percent > 0)
            entry.sale = IPOSale{{}, entry.winQuantity, *top * percent / 100, grey, {}};
        ledger.append(entry);
        if (ledger.size() == qsizetype(std::size(sellPercent)))
            break;
    }
    if (ledger.isEmpty())
        return false;
    // The colours of gains and losses the user's settings (or their language) give.
    const bool gainIsRed = AppSettings::shared().gainColour() == GainColour::redUp;
    ResultsView view(ledger, BrokerCharges{}, gainIsRed, QDate::currentDate().year());
    view.show();
    QCoreApplication::processEvents();
    return save(view, QStringLiteral("results") + suffix);
}

QCoro::Task<> ScreenshotTour::run() {
    m_directory.mkpath(QStringLiteral("."));
    IPORepository &repository = m_app.repository();
    // The windows ask for data when they appear; give the service a moment to answer.
    for (int waited = 0; repository.records().isEmpty() && waited < 15000; waited += 250)
        co_await settle(250);
    if (repository.records().isEmpty())
        qWarning().noquote() << QStringLiteral(
            "[Shell] No records arrived; screenshots show empty views");

    MainWindow &window = m_app.mainWindow();
    for (const bool dark : {false, true}) {
        const QString suffix = dark ? QStringLiteral("-dark") : QStringLiteral("-light");
        AppearanceMonitor::shared().setOverride(dark);

        PanelWindow &panel = m_app.panelWindow();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        panel.showPlaced([screen](QSize size) {
            return QPoint(screen.right() - size.width() - 8, screen.top() + 32);
        });
        co_await settle(400);
        save(panel, QStringLiteral("panel") + suffix);
        panel.hide();

        // The window's content lives while the window is open, which it stays from here on.
        window.open();
        MainWindowView *content = window.content();
        content->setTimeFilter(TimeFilter::all);
        if (content->selectedCode())
            content->toggleSelection(*content->selectedCode());
        co_await settle(300);
        save(window, QStringLiteral("main-window") + suffix);
        if (!content->filteredRecords().isEmpty())
            content->toggleSelection(content->filteredRecords().first().ipo.code);
        co_await settle(600);
        save(window, QStringLiteral("main-window-selected") + suffix);
        if (co_await showTypedSale(*content))
            save(window, QStringLiteral("main-window-sale") + suffix);

        if (!saveResultsSheet(repository.records(), suffix))
            qWarning().noquote() << QStringLiteral("[Shell] No listed IPO for the year sheet");

        window.presentSettingsSheet();
        co_await settle(400);
        if (QDialog *sheet = window.settingsSheet()) {
            save(*sheet, QStringLiteral("settings") + suffix);
            sheet->close();
        }
    }
    AppearanceMonitor::shared().setOverride(std::nullopt);
    qInfo().noquote()
        << QStringLiteral("[Shell] Screenshots written to %1").arg(m_directory.absolutePath());
    QCoreApplication::exit(m_failures == 0 ? 0 : 1);
}
