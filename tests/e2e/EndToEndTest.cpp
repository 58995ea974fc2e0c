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

namespace {

// One run of the real application (its end-to-end build) on this test's X server, with its
// own settings, data and runtime folders, talking to this test's local service.
class RunningApp {
public:
    RunningApp(const testsupport::TestFolder &home, const testsupport::LocalService &service) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString run = home.filePath(QStringLiteral("run"));
        // "XCTestConfigurationFilePath" marks a test host: no "app_active" events from these runs.
        for (const auto &[name, value] :
             {std::pair("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config"))),
              std::pair("XDG_DATA_HOME", home.filePath(QStringLiteral("data"))),
              std::pair("XDG_RUNTIME_DIR", run),
              std::pair("ORVEL_E2E_SERVICE_URL", service.baseUrl().toString()),
              std::pair("ORVEL_E2E_SERVICE_CA", service.caFile()),
              std::pair("QT_QPA_PLATFORM", QStringLiteral("xcb")),
              std::pair("XCTestConfigurationFilePath", QStringLiteral("e2e"))})
            environment.insert(QString::fromLatin1(name), value);
        QDir().mkpath(run);
        QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
    }

    ~RunningApp() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool start() {
        m_process.start(QStringLiteral(ORVEL_E2E_EXECUTABLE));
        return m_process.waitForStarted(10000);
    }

    void send(const QByteArray &command) { m_process.write(command + '\n'); }

    // The first "[E2E] ..." line starting with `prefix` that arrives within the time limit.
    QString waitFor(const QString &prefix, int milliseconds = 20000) {
        QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired()) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.startsWith(QStringLiteral("[E2E] ") + prefix))
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
        return waitFor(QStringLiteral("state"));
    }

    // 0 for "Quit", otherwise the signal to end with.
    void end(int signal = 0) {
        if (signal)
            ::kill(static_cast<pid_t>(m_process.processId()), signal);
        else
            send("quit");
    }

    // The exit status once the process ends by itself; -1 when it does not within the limit.
    int waitForExit() {
        const bool ended = m_process.waitForFinished(15000);
        return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QString errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QProcess m_process;
};

// A value of a "state" reply: "main=1 panel=0 tray=x,y,w,h records=N window=ID". The main
// window's X window is new each time the window opens after it was closed.
QString value(const QString &state, const QString &name) {
    return QRegularExpression(name + QStringLiteral("=(\\S+)")).match(state).captured(1);
}

int field(const QString &state, const QString &name) {
    return value(state, name).toInt();
}

// Whether the window's _NET_WM_STATE, as the window manager keeps it, takes it off the taskbar.
bool skipsTaskbar(const QString &window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")});
    return xprop.waitForFinished(5000) &&
           xprop.readAllStandardOutput().contains("_NET_WM_STATE_SKIP_TASKBAR");
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
        QSettings(home.filePath(QStringLiteral("config/orvel/orvel.ini")), QSettings::IniFormat)
            .setValue(QStringLiteral("hideDockIcon"), true);
        RunningApp app(home, m_service);
        QVERIFY(app.start());
        const QString records = app.waitFor(QStringLiteral("records"));
        QVERIFY2(records.section(u' ', 1, 1).toInt() > 20, qPrintable(app.errors()));
        const QString state = app.state();
        QCOMPARE(field(state, QStringLiteral("main")), 1);
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(value(state, QStringLiteral("window"))), 10000);
        app.send("close-main");
        QVERIFY(!app.waitFor(QStringLiteral("closed")).isEmpty());
        QCOMPARE(field(app.state(), QStringLiteral("main")), 0);
        RunningApp second(home, m_service);
        QVERIFY(second.start());
        QCOMPARE(second.waitForExit(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(field(app.state(), QStringLiteral("main")), 1, 10000);
        const QString window = value(app.state(), QStringLiteral("window"));
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(window), 10000);

        // Switched off and on again while the window is open.
        app.send("hide-dock 0");
        QTRY_VERIFY_WITH_TIMEOUT(!skipsTaskbar(window), 10000);
        app.send("hide-dock 1");
        QTRY_VERIFY_WITH_TIMEOUT(skipsTaskbar(window), 10000);

        // A click on the tray icon opens the panel.
        const QStringList tray = value(app.state(), QStringLiteral("tray")).split(u',');
        QVERIFY2(tray.value(2).toInt() > 0, "no tray icon");
        const QPoint centre =
            QRect(tray[0].toInt(), tray[1].toInt(), tray[2].toInt(), tray[3].toInt()).center();
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("mousemove"), QString::number(centre.x()),
                                    QString::number(centre.y()), QStringLiteral("click"),
                                    QStringLiteral("1")}),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(field(app.state(), QStringLiteral("panel")), 1, 10000);

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
            code = app.waitFor(QStringLiteral("records")).section(u' ', 2);
            QVERIFY(!code.isEmpty());
            app.send("save " + code.toUtf8() + " 2000 500 margin");
            QCOMPARE(app.waitFor(QStringLiteral("saved")), QStringLiteral("saved %1 ok").arg(code));
            app.end(ending);
            QCOMPARE(app.waitForExit(), 0);
            // The windows closed the usual way (the main window wrote its place) and the store
            // closed (SQLite removes its write-ahead log with the last connection).
            const QDir data(home.filePath(QStringLiteral("data/orvel/orvel")));
            QVERIFY(data.exists(QStringLiteral("window-state.ini")));
            QVERIFY(data.exists(QStringLiteral("user-entries.sqlite")));
            QVERIFY(!data.exists(QStringLiteral("user-entries.sqlite-wal")));
        }
        RunningApp again(home, m_service);
        QVERIFY(again.start());
        QVERIFY(!again.waitFor(QStringLiteral("records")).isEmpty());
        again.send("record " + code.toUtf8());
        QCOMPARE(again.waitFor(QStringLiteral("record")),
                 QStringLiteral("record %1 2000 500 margin").arg(code));
        again.end();
        QCOMPARE(again.waitForExit(), 0);
    }
};

ORVEL_TEST_CLASS(EndToEndTest);

#include "EndToEndTest.moc"
