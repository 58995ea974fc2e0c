#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <memory>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// One run of the real application (its end-to-end build) on this test's X server, with its
// own settings, data and runtime folders, talking to this test's local service.
class RunningApp {
public:
    RunningApp(const testsupport::TestFolder &home, const testsupport::LocalService &service,
               const QProcessEnvironment &extra = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(extra);
        const QString run = home.filePath(u"run"_s);
        // "XCTestConfigurationFilePath" marks a test host: no "app_active" events from these runs.
        for (const auto &[name, value] :
             {std::pair("XDG_CONFIG_HOME", home.filePath(u"config"_s)),
              std::pair("XDG_DATA_HOME", home.filePath(u"data"_s)),
              std::pair("XDG_RUNTIME_DIR", run),
              std::pair("ORVEL_E2E_SERVICE_URL", service.baseUrl().toString()),
              std::pair("ORVEL_E2E_SERVICE_CA", service.caFile()),
              std::pair("QT_QPA_PLATFORM", u"xcb"_s),
              std::pair("XCTestConfigurationFilePath", u"e2e"_s)})
            environment.insert(QString::fromLatin1(name), value);
        QDir().mkpath(run);
        QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        m_process.setProcessEnvironment(environment);
    }

    ~RunningApp() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool start() {
        m_process.start(QStringLiteral(ORVEL_E2E_EXECUTABLE));
        return m_process.waitForStarted(10000);
    }

    qint64 processId() const { return m_process.processId(); }

    void send(const QByteArray &command) { m_process.write(command + '\n'); }

    QString waitFor(const QString &prefix, int milliseconds = 20000) {
        QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired()) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.startsWith(u"[E2E] "_s + prefix))
                    return line.mid(6);
            }
            if (m_process.state() == QProcess::NotRunning)
                return {};
            m_process.waitForReadyRead(100);
        }
        return {};
    }

    QString state() {
        send("state");
        return waitFor(u"state"_s);
    }

    // 0 for "Quit", otherwise the signal to end with.
    void end(int signal = 0) {
        if (signal)
            ::kill(static_cast<pid_t>(m_process.processId()), signal);
        else
            send("quit");
    }

    int waitForExit() {
        const bool ended = m_process.waitForFinished(15000);
        return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
};

// A value of a "state" reply: "main=1 panel=0 tray=X,Y window=ID" (the tray icon's centre).
// The main window's X window is new each time the window opens after it was closed.
QString value(const QString &state, const QString &name) {
    return QRegularExpression(name + u"=(\\S+)"_s).match(state).captured(1);
}

// Whether the window's _NET_WM_STATE, as the window manager keeps it, takes it off the taskbar.
bool skipsTaskbar(const QString &window) {
    QProcess xprop;
    xprop.start(u"xprop"_s, {u"-id"_s, window, u"_NET_WM_STATE"_s});
    return xprop.waitForFinished(5000) &&
           xprop.readAllStandardOutput().contains("_NET_WM_STATE_SKIP_TASKBAR");
}

// A session bus of the test's own, on which the accessibility bus starts when first asked for.
class SessionBus {
public:
    SessionBus() {
        m_daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~SessionBus() {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
    }
    const QString &address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// Keys typed on the X server, through the window manager's focus: xdotool's key names or text.
bool press(const QString &keys) {
    return QProcess::execute(u"xdotool"_s,
                             QStringList{u"key"_s, u"--delay"_s, u"60"_s} + keys.split(u' ')) == 0;
}

bool type(const QString &text) {
    return QProcess::execute(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"80"_s, text}) == 0;
}

QString clipboard() {
    QProcess xclip;
    xclip.start(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"clipboard"_s});
    return xclip.waitForFinished(5000) ? QString::fromUtf8(xclip.readAllStandardOutput())
                                       : QString();
}

// The shortest piece of `name` that no other listed name contains.
QString uniqueFragment(const QString &name, const QStringList &names) {
    for (qsizetype length = 2; length <= name.size(); ++length) {
        for (qsizetype from = 0; from + length <= name.size(); ++from) {
            const QString piece = name.mid(from, length);
            if (names.filter(piece).size() == 1)
                return piece;
        }
    }
    return name;
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private:
    testsupport::LocalService m_service;

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    // An earlier run took the main window off the taskbar. The window is closed and brought
    // back by a second launch: it maps anew, and the state must be on it before it does.
    void runsFromTheTrayAndReopensOffTheTaskbar() {
        testsupport::TestFolder home;
        QSettings(home.filePath(u"config/orvel/orvel.ini"_s), QSettings::IniFormat)
            .setValue(u"hideDockIcon"_s, true);
        RunningApp app(home, m_service);
        QVERIFY(app.start());
        const QString records = app.waitFor(u"records"_s);
        QVERIFY(records.section(u' ', 1, 1).toInt() > 20);
        const QString state = app.state();
        QCOMPARE(value(state, u"main"_s).toInt(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(value(state, u"window"_s)), 10000);
        app.send("close-main"); // handled before the next command: the window is closed
        QCOMPARE(value(app.state(), u"main"_s).toInt(), 0);
        RunningApp second(home, m_service);
        QVERIFY(second.start());
        QCOMPARE(second.waitForExit(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(value(app.state(), u"main"_s).toInt(), 1, 10000);
        const QString window = value(app.state(), u"window"_s);
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(window), 10000);

        // Switched off and on again while the window is open.
        app.send("hide-dock 0");
        QTRY_VERIFY_WITH_TIMEOUT(!skipsTaskbar(window), 10000);
        app.send("hide-dock 1");
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(window), 10000);

        // A click on the tray icon opens the panel.
        const QString tray = value(app.state(), u"tray"_s);
        QVERIFY2(tray != u"none"_s, "no tray icon");
        QCOMPARE(QProcess::execute(u"xdotool"_s,
                                   u"mousemove %1 %2 click 1"_s
                                       .arg(tray.section(u',', 0, 0), tray.section(u',', 1, 1))
                                       .split(u' ')),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(value(app.state(), u"panel"_s).toInt(), 1, 10000);

        app.end();
        QCOMPARE(app.waitForExit(), 0);
    }

    // The main window by keyboard alone, under the window manager: rows, panel, search, menu.
    void keyboardOnly() {
        testsupport::TestFolder home;
        SessionBus bus;
        QVERIFY(!bus.address().isEmpty());
        QProcessEnvironment busEnvironment;
        busEnvironment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        busEnvironment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        RunningApp app(home, m_service, busEnvironment);
        QVERIFY(app.start());
        QVERIFY(!app.waitFor(u"records"_s).isEmpty());
        const QString window = value(app.state(), u"window"_s);
        QCOMPARE(QProcess::execute(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, window}), 0);
        const auto view = [&app](const QString &name) {
            app.send("view");
            return value(app.waitFor(u"view"_s), name);
        };
        QTRY_COMPARE_WITH_TIMEOUT(view(u"focus"_s), u"MainTableList"_s, 10000);

        QVERIFY(press(u"ctrl+4 Down Down Down"_s)); // 全部, then to the fourth row
        QTRY_VERIFY_WITH_TIMEOUT(view(u"rows"_s).toInt() > 4, 10000);
        const QString code = view(u"row3"_s);
        QTRY_COMPARE_WITH_TIMEOUT(view(u"panel"_s), code, 10000);
        QCOMPARE(view(u"selected"_s), code);
        // The selection as a screen reader hears it: "代码 名称 状态 日期".
        QProcess reader;
        QProcessEnvironment readerEnvironment = QProcessEnvironment::systemEnvironment();
        readerEnvironment.insert(busEnvironment);
        reader.setProcessEnvironment(readerEnvironment);
        reader.start(u"/usr/bin/python3"_s,
                     {QStringLiteral(ORVEL_E2E_SOURCE_DIR "/selected-row.py"),
                      QString::number(app.processId())});
        QVERIFY(reader.waitForFinished(20000));
        const QStringList heard =
            QString::fromUtf8(reader.readAllStandardOutput()).trimmed().split(u' ');
        QCOMPARE(heard.value(0), code);
        QCOMPARE(heard.value(1), view(u"name3"_s));

        QVERIFY(press(u"Return"_s));
        QTRY_COMPARE_WITH_TIMEOUT(view(u"focus"_s), u"QuantityInput"_s, 10000);
        QVERIFY(type(u"3000"_s));
        QVERIFY(press(u"ctrl+s Escape"_s));
        QTRY_COMPARE_WITH_TIMEOUT(view(u"stored"_s), u"3000"_s, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(view(u"focus"_s), u"MainTableList"_s, 10000);

        const QString fragment = uniqueFragment(view(u"name3"_s), view(u"names"_s).split(u'|'));
        QVERIFY(press(u"ctrl+f"_s));
        QTRY_COMPARE_WITH_TIMEOUT(view(u"focus"_s), u"TableSearchField"_s, 10000);
        QVERIFY(type(fragment));
        QTRY_COMPARE_WITH_TIMEOUT(view(u"rows"_s), u"1"_s, 10000);

        // Back to the table, the row's menu, its first item: "复制代码".
        QVERIFY(press(u"Return"_s));
        QTRY_COMPARE_WITH_TIMEOUT(view(u"focus"_s), u"MainTableList"_s, 10000);
        QVERIFY(press(u"Menu"_s));
        QTest::qWait(500);
        QVERIFY(press(u"Down Return"_s));
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), code, 10000);
        app.end();
        QCOMPARE(app.waitForExit(), 0);
    }

    void savedEntrySurvivesARestart_data() {
        QTest::addColumn<int>("ending"); // 0: "Quit"; otherwise the signal the session sends
        QTest::newRow("Quit") << 0;
        QTest::newRow("SIGTERM at logout") << int(SIGTERM);
        QTest::newRow("SIGINT in a terminal") << int(SIGINT);
    }
    void savedEntrySurvivesARestart() {
        QFETCH(int, ending);
        testsupport::TestFolder home;
        QString code;
        {
            RunningApp app(home, m_service);
            QVERIFY(app.start());
            code = app.waitFor(u"records"_s).section(u' ', 2, 2);
            QVERIFY(!code.isEmpty());
            app.send("save"); // 2000 subscribed, 500 allotted, on margin, under the first IPO
            QCOMPARE(app.waitFor(u"saved"_s), u"saved ok"_s);
            app.end(ending);
            QCOMPARE(app.waitForExit(), 0);
            // The windows closed the usual way (the main window wrote its place) and the store
            // closed (SQLite removes its write-ahead log with the last connection).
            const QDir data(home.filePath(u"data/orvel/orvel"_s));
            QVERIFY(data.exists(u"window-state.ini"_s));
            QVERIFY(data.exists(u"user-entries.sqlite"_s));
            QVERIFY(!data.exists(u"user-entries.sqlite-wal"_s));
        }
        RunningApp again(home, m_service);
        QVERIFY(again.start());
        QCOMPARE(again.waitFor(u"records"_s).section(u' ', 2), code + u" 2000 500 margin"_s);
        again.end();
        QCOMPARE(again.waitForExit(), 0);
    }

    // With an English desktop and no language chosen, the real window speaks English (which
    // catalogue a desktop's languages pick is AppSettingsTest's).
    void speaksTheDesktopsEnglish() {
        testsupport::TestFolder home;
        QProcessEnvironment english;
        for (const QString &name : {u"LC_ALL"_s, u"LC_MESSAGES"_s, u"LANGUAGE"_s})
            english.insert(name, QString());
        english.insert(u"LANG"_s, u"en_GB.UTF-8"_s);
        RunningApp app(home, m_service, english);
        QVERIFY(app.start());
        QVERIFY(!app.waitFor(u"records"_s).isEmpty());
        app.send("settings");
        const QStringList shown = app.waitFor(u"settings"_s).split(u'|');
        QVERIFY2(shown.contains(u"LANGUAGE"_s), qPrintable(shown.join(u'|')));
        QVERIFY(shown.contains(u"Takes effect when ORVEL is restarted"_s));
        app.end();
        QCOMPARE(app.waitForExit(), 0);
    }

    // A sale typed into the real panel is saved, and after a restart its result shows in the
    // panel, the year sheet and the tray panel alike.
    void saleResultSurvivesARestart() {
        testsupport::TestFolder home;
        QString amount;
        {
            RunningApp app(home, m_service);
            QVERIFY(app.start());
            QVERIFY(!app.waitFor(u"records"_s).isEmpty());
            app.send("sale");
            const QString sale = app.waitFor(u"sale"_s);
            QVERIFY2(sale.section(u' ', 2).startsWith(u"ok|收益 HK$"_s), qPrintable(sale));
            amount = sale.section(u"HK$"_s, 1, 1).section(u"（"_s, 0, 0);
            app.end();
            QCOMPARE(app.waitForExit(), 0);
        }
        RunningApp again(home, m_service);
        QVERIFY(again.start());
        QVERIFY(!again.waitFor(u"records"_s).isEmpty());
        again.send("results");
        const QStringList shown = again.waitFor(u"results"_s).mid(8).split(u'|');
        QCOMPARE(shown.size(), 3);
        QVERIFY2(shown[0].startsWith(u"收益 HK$"_s + amount), qPrintable(shown[0]));
        QVERIFY2(shown[1].endsWith(u"HK$"_s + amount), qPrintable(shown[1]));
        QCOMPARE(shown[2], u"今年收益 HK$"_s + amount);
        again.end();
        QCOMPARE(again.waitForExit(), 0);
    }
};

ORVEL_TEST_CLASS(EndToEndTest);

#include "EndToEndTest.moc"
