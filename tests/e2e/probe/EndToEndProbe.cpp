#include "EndToEndProbe.h"

#include "app/MainWindow.h"
#include "app/MenuBarLabel.h"
#include "app/OrvelApp.h"
#include "app/PanelWindow.h"
#include "model/MarketCalendar.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaleField.h"
#include "ui/main_window/SaveRecordButton.h"
#include "ui/menu_bar/ElidedLabel.h"

#include <QLabel>
#include <QListWidget>

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

EndToEndProbe::EndToEndProbe(OrvelApp &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_input(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&m_input, &QSocketNotifier::activated, this, &EndToEndProbe::readCommands);
    // The count, and the first IPO with its figures: the one a test saves an entry under.
    connect(&app.repository(), &IPORepository::recordsChanged, this, [this] {
        const QList<IPORecord> records = m_app.repository().records();
        const IPORecord first = records.value(0);
        reply(QStringLiteral("records %1 %2 %3 %4 %5")
                  .arg(records.size())
                  .arg(first.ipo.code)
                  .arg(first.subQuantity)
                  .arg(first.winQuantity)
                  .arg(first.subMethod == SubMethod::margin ? u"margin" : u"cash"));
    });
}

void EndToEndProbe::readCommands() {
    char chunk[1024];
    const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (count <= 0) {
        m_input.setEnabled(false);
        return;
    }
    m_buffer.append(chunk, count);
    qsizetype newline;
    while ((newline = m_buffer.indexOf('\n')) >= 0) {
        handle(QString::fromUtf8(m_buffer.left(newline)).trimmed());
        m_buffer.remove(0, newline + 1);
    }
}

void EndToEndProbe::reply(const QString &text) {
    std::printf("[E2E] %s\n", qPrintable(text));
    std::fflush(stdout);
}

void EndToEndProbe::handle(const QString &line) {
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    const QString &command = words.first();
    IPORepository &repository = m_app.repository();
    if (command == u"state") {
        const MenuBarLabel *label = m_app.menuBarLabel();
        const QPoint tray = label ? label->geometry().center() : QPoint();
        reply(QStringLiteral("state main=%1 panel=%2 tray=%3 window=%4")
                  .arg(int(m_app.isMainWindowVisible()))
                  .arg(int(m_app.isPanelVisible()))
                  .arg(label ? QStringLiteral("%1,%2").arg(tray.x()).arg(tray.y()) : u"none"_s)
                  .arg(m_app.mainWindow().winId()));
    } else if (command == u"view" && m_app.mainWindow().content()) {
        // What the keyboard reached: the focused widget, the selection, the panel's IPO and the
        // figure stored for it, the listed rows and the fourth one's code and name.
        const MainWindowView &view = *m_app.mainWindow().content();
        const QWidget *focus = QApplication::focusWidget();
        const RecordDetailPanel *panel = view.detailPanel();
        const QString shown = panel ? panel->record().ipo.code : u"-"_s;
        qint64 stored = 0;
        for (const IPORecord &record : repository.records())
            stored = record.ipo.code == shown ? record.subQuantity : stored;
        const IPORecord *fourth = view.tableModel().recordAt(3);
        QStringList names;
        for (const IPORecord &record : view.tableModel().listed())
            names.append(record.ipo.name);
        reply(QStringLiteral("view focus=%1 selected=%2 panel=%3 stored=%4 rows=%5 row3=%6 "
                             "name3=%7 names=%8")
                  .arg(focus ? focus->objectName() : u"-"_s, view.selectedCode().value_or(u"-"_s),
                       shown)
                  .arg(stored)
                  .arg(view.tableModel().rowCount())
                  .arg(fourth ? fourth->ipo.code : u"-"_s, fourth ? fourth->ipo.name : u"-"_s,
                       names.join(u'|')));
    } else if (command == u"close-main") {
        m_app.mainWindow().close();
    } else if (command == u"save" && !repository.records().isEmpty()) {
        IPORecord record = repository.records().first();
        record.subQuantity = 2000;
        record.winQuantity = 500;
        record.subMethod = SubMethod::margin;
        reply(QStringLiteral("saved %1").arg(repository.saveRecord(record) ? u"ok" : u"failed"));
    } else if (command == u"hide-dock" && words.size() == 2) {
        AppSettings::shared().setHideDockIcon(words[1] == u"1");
    } else if (command == u"sale") {
        reply(typeSale());
    } else if (command == u"results") {
        reply(resultsShown());
    } else if (command == u"settings") {
        // The labels of the real settings sheet, as shown.
        MainWindow &window = m_app.mainWindow();
        window.open();
        window.presentSettingsSheet();
        QStringList texts;
        for (const QLabel *label : window.settingsSheet()->findChildren<QLabel *>())
            texts.append(label->text());
        window.settingsSheet()->close();
        reply(u"settings "_s + texts.join(u'|'));
    } else if (command == u"quit") {
        m_app.quit();
    }
}

QString EndToEndProbe::typeSale() {
    // Typed into the real panel of the first listed IPO: 500 of 1000 shares allotted at
    // HK$10.00, all sold today at HK$12.50.
    MainWindow &window = m_app.mainWindow();
    window.open();
    MainWindowView *content = window.content();
    for (const IPORecord &record : m_app.repository().records()) {
        if (record.ipo.status != IPOStatus::listed)
            continue;
        content->showRecord(record.ipo.code);
        RecordDetailPanel *panel = content->detailPanel();
        if (!panel)
            return QStringLiteral("sale none");
        panel->finalPriceField()->setText(QStringLiteral("10.00"));
        panel->sellPriceField()->setText(QStringLiteral("12.50"));
        panel->sellDateField()->setText(
            marketCalendar().dayOf(QDateTime::currentDateTimeUtc()).toString(Qt::ISODate));
        panel->subscriptionField()->setText(QStringLiteral("1000"));
        panel->allotmentField()->setText(QStringLiteral("500"));
        panel->saveButton()->click();
        return QStringLiteral("sale %1 %2|%3")
            .arg(record.ipo.code, panel->isSaved() ? u"ok"_s : u"failed"_s, panel->resultText());
    }
    return QStringLiteral("sale none");
}

QString EndToEndProbe::resultsShown() {
    // Where the stored sale shows: its panel, the year sheet and the tray panel.
    MainWindow &window = m_app.mainWindow();
    window.open();
    MainWindowView *content = window.content();
    QString panelLine;
    for (const IPORecord &record : m_app.repository().records()) {
        if (record.sale.soldQuantity > 0) {
            content->showRecord(record.ipo.code);
            if (RecordDetailPanel *panel = content->detailPanel())
                panelLine = panel->resultText();
            break;
        }
    }
    content->presentResults();
    QString sheetLine;
    if (QDialog *sheet = content->resultsSheet()) {
        if (auto *list = sheet->findChild<QListWidget *>(QStringLiteral("YearIPOList")))
            sheetLine = list->count() > 0 ? list->item(0)->text() : QString();
        sheet->close();
    }
    m_app.togglePanel();
    QString trayLine;
    if (auto *label =
            m_app.panelWindow().findChild<ElidedLabel *>(QStringLiteral("yearResultLabel")))
        trayLine = label->isVisibleTo(&m_app.panelWindow()) ? label->text() : QString();
    m_app.panelWindow().hide();
    return QStringLiteral("results %1|%2|%3").arg(panelLine, sheetLine, trayLine);
}
