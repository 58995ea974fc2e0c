#include "EndToEndProbe.h"

#include "app/MainWindow.h"
#include "app/MenuBarLabel.h"
#include "app/OrvelApp.h"
#include "app/PanelWindow.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

EndToEndProbe::EndToEndProbe(OrvelApp &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_input(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&m_input, &QSocketNotifier::activated, this, &EndToEndProbe::readCommands);
    // The count, and the first code for a test to save an entry under.
    connect(&app.repository(), &IPORepository::recordsChanged, this, [this] {
        const QList<IPORecord> records = m_app.repository().records();
        reply(QStringLiteral("records %1 %2")
                  .arg(records.size())
                  .arg(records.isEmpty() ? QString() : records.first().ipo.code));
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
        const QRect tray = m_app.menuBarLabel() ? m_app.menuBarLabel()->geometry() : QRect();
        reply(QStringLiteral("state main=%1 panel=%2 tray=%3,%4,%5,%6 records=%7 window=%8")
                  .arg(int(m_app.isMainWindowVisible()))
                  .arg(int(m_app.isPanelVisible()))
                  .arg(tray.x())
                  .arg(tray.y())
                  .arg(tray.width())
                  .arg(tray.height())
                  .arg(repository.records().size())
                  .arg(m_app.mainWindow().winId()));
    } else if (command == u"close-main") {
        m_app.mainWindow().close();
        reply(QStringLiteral("closed"));
    } else if ((command == u"save" && words.size() == 5) ||
               (command == u"record" && words.size() == 2)) {
        for (IPORecord record : repository.records()) {
            if (record.ipo.code != words[1])
                continue;
            if (command == u"save") {
                record.subQuantity = words[2].toLongLong();
                record.winQuantity = words[3].toLongLong();
                record.subMethod = words[4] == u"margin" ? SubMethod::margin : SubMethod::cash;
                reply(QStringLiteral("saved %1 %2")
                          .arg(words[1], repository.saveRecord(record) ? u"ok" : u"failed"));
            } else {
                reply(QStringLiteral("record %1 %2 %3 %4")
                          .arg(record.ipo.code)
                          .arg(record.subQuantity)
                          .arg(record.winQuantity)
                          .arg(record.subMethod == SubMethod::margin ? u"margin" : u"cash"));
            }
            return;
        }
        reply(QStringLiteral("%1 %2 unknown").arg(command, words[1]));
    } else if (command == u"hide-dock" && words.size() == 2) {
        AppSettings::shared().setHideDockIcon(words[1] == u"1");
        reply(QStringLiteral("hide-dock %1").arg(words[1]));
    } else if (command == u"quit") {
        m_app.quit();
    }
}
