#include "BuildConfig.h"
#include "FirstPaintProbe.h"
#include "ListCommand.h"
#include "MainWindow.h"
#include "OrvelApp.h"
#include "ScreenshotTour.h"
#include "SingleInstance.h"
#include "StartupTrace.h"
#include "StartupWarmUp.h"
#include "TranslationLoader.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "system/UnixSignalWatcher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoroTask>
#include <QDebug>
#include <QMessageBox>
#include <QScopeGuard>

#include <csignal>
#include <cstdio>

namespace {

// Every application object starts here, before it creates any text: its translators too.
void describeApplication(QCoreApplication &app) {
    app.setOrganizationName(QStringLiteral("orvel"));
    app.setApplicationName(QStringLiteral("orvel"));
    app.setApplicationVersion(QString::fromUtf8(buildconfig::projectVersion));
    TranslationLoader::install(app, AppSettings::shared().language());
}

struct Arguments {
    bool list = false;
    ListCommand::Format listFormat = ListCommand::Format::table;
    // `--results YEAR`; none: this year.
    std::optional<int> resultsYear;
    bool quitAfterFirstPaint = false;
    QString screenshotDir;
    // Options that contradict each other: said on standard error, exit status 1.
    QString usageError;
};

// Parsed before any application object exists: `--list` must not need a display. Option names
// stay as they are in every language; only their descriptions and the errors are translated.
Arguments parseArguments(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    describeApplication(app);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "ORVEL：港股新股申购一览"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption list(
        QStringLiteral("list"),
        QCoreApplication::translate("main", "从服务获取新股列表，按制表符分隔的行输出。"));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate(
            "main", "与 --list 或 --results 同用：改为输出 JSON（分别为数组和对象）。"));
    const QCommandLineOption results(
        QStringLiteral("results"),
        //: YEAR is the name of the positional argument and stays as it is
        QCoreApplication::translate(
            "main", "按制表符分隔的行输出 YEAR 年的统计和新股（默认为香港时间的今年）。"));
    const QCommandLineOption ics(
        QStringLiteral("ics"),
        QCoreApplication::translate("main", "获取新股列表，将其中的日期输出为 iCalendar 文件。"));
    const QCommandLineOption firstPaint(
        QStringLiteral("quit-after-first-paint"),
        QCoreApplication::translate("main",
                                    "输出从进程启动到首个窗口绘制完成的毫秒数，然后退出。"));
    const QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        //: <dir> is the option's value name and stays as it is
        QCoreApplication::translate("main", "将每个窗口的浅色和深色截图保存到 <dir>，然后退出。"),
        QStringLiteral("dir"));
    parser.addOption(list);
    parser.addOption(json);
    parser.addOption(results);
    parser.addPositionalArgument(QStringLiteral("YEAR"),
                                 QCoreApplication::translate("main", "与 --results 同用。"),
                                 QStringLiteral("[YEAR]"));
    parser.addOption(ics);
    parser.addOption(firstPaint);
    parser.addOption(screenshots);
    parser.process(app);
    Arguments arguments;
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(json) && !parser.isSet(list) && !parser.isSet(results))
        arguments.usageError =
            QCoreApplication::translate("main", "--json 须与 --list 或 --results 同用");
    if (int(parser.isSet(ics)) + int(parser.isSet(list)) + int(parser.isSet(results)) > 1)
        arguments.usageError = QCoreApplication::translate(
            "main", "--ics、--list 和 --results 输出的内容各不相同，只能指定其中一个");
    if (!positional.isEmpty()) {
        bool ok = false;
        const int year = positional.first().toInt(&ok);
        if (!parser.isSet(results) || positional.size() > 1)
            arguments.usageError =
                QCoreApplication::translate("main", "只有 --results 接受参数（一个年份）");
        else if (!ok || year < 1 || year > 9999)
            //: %1 the argument given in place of a year
            arguments.usageError =
                QCoreApplication::translate("main", "不是有效的年份：%1").arg(positional.first());
        else
            arguments.resultsYear = year;
    }
    arguments.list = parser.isSet(list) || parser.isSet(ics) || parser.isSet(results);
    if (parser.isSet(ics))
        arguments.listFormat = ListCommand::Format::calendar;
    else if (parser.isSet(results))
        arguments.listFormat =
            parser.isSet(json) ? ListCommand::Format::resultsJson : ListCommand::Format::results;
    else if (parser.isSet(json))
        arguments.listFormat = ListCommand::Format::json;
    arguments.quitAfterFirstPaint = parser.isSet(firstPaint);
    arguments.screenshotDir = parser.value(screenshots);
    return arguments;
}

int runList(int argc, char **argv, ListCommand::Format format, std::optional<int> year) {
    QCoreApplication app(argc, argv);
    describeApplication(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // ORVEL may be running and writing the same file: only read it, and read it when the list
    // is merged, so the figures are the ones stored at that moment.
    auto store = UserIPOStore::open({.readOnly = true});
    if (!store) {
        err << UserIPOStore::fatalOpenMessage(store.error()) << Qt::endl;
        return 1;
    }
    // A one-shot listing: no reminders to keep and no usage to report.
    IPORepository repository(IPOAPIClient::shared(), **store);
    // Results are worked out with the user's broker charges, read once.
    const ListCommand::Options options{AppSettings::shared().brokerCharges(), year};
    return QCoro::waitFor(ListCommand::run(repository, out, err, format, systemClock(), options));
}

} // namespace

#ifdef ORVEL_END_TO_END_TEST_BUILD
#include "EndToEndProbe.h"

// The end-to-end tests build this file a second time into a test executable that reaches the
// test run's own local service; the shipped executable is never built with this.
void useTestService() {
    const QByteArray url = qgetenv("ORVEL_E2E_SERVICE_URL");
    if (url.isEmpty())
        return;
    IPOAPIClient::Options options;
    options.extraCACertificates =
        QSslCertificate::fromPath(QString::fromLocal8Bit(qgetenv("ORVEL_E2E_SERVICE_CA")));
    options.updateEndpoint = QUrl(QString::fromUtf8(url) + QStringLiteral("/app/update"));
    IPOAPIClient::replaceSharedConfiguration(QUrl(QString::fromUtf8(url)), std::move(options));
}
#endif

int main(int argc, char **argv) {
#ifdef ORVEL_END_TO_END_TEST_BUILD
    useTestService();
#endif
    StartupTrace::mark("main entered");
    const Arguments arguments = parseArguments(argc, argv);
    if (!arguments.usageError.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(arguments.usageError));
        return 1;
    }
    if (arguments.list)
        return runList(argc, argv, arguments.listFormat, arguments.resultsYear);

    // The second core starts on what the first frame needs while this one connects to the
    // display; it is done with before the application object goes.
    StartupWarmUp warmUp;
    QApplication app(argc, argv);
    StartupTrace::mark("application object");
    const auto warmUpDone = qScopeGuard([&warmUp] { warmUp.finish(); });
    describeApplication(app);
    warmUp.applicationReady();
    QGuiApplication::setDesktopFileName(QString::fromUtf8(buildconfig::appId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/io.orvel.Orvel.svg")));

    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::Role::secondary:
        return 0;
    case SingleInstance::Role::failed:
        std::fprintf(stderr, "%s\n", qPrintable(instance.errorString()));
        return 1;
    case SingleInstance::Role::primary:
        break;
    }
    StartupTrace::mark("single instance");

    // The one fatal stop: without the store the user's figures could be lost.
    const Expected<UserIPOStore *, QString> store = UserIPOStore::openShared();
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(store.error()));
        // Someone who started ORVEL from the desktop sees no terminal: tell them in a window,
        // where there is a screen to show it on.
        const QString platform = QGuiApplication::platformName();
        if (platform != u"offscreen" && platform != u"minimal")
            QMessageBox::critical(nullptr, QStringLiteral("ORVEL"), store.error());
        return 1;
    }

    StartupTrace::mark("store");
    OrvelApp orvel;
    StartupTrace::mark("settings and parts");
    QObject::connect(&instance, &SingleInstance::reopenRequested, &orvel, [&orvel] {
        orvel.delegate().applicationShouldHandleReopen(orvel.hasVisibleWindows());
    });
    // The session ends ORVEL at logout with SIGTERM (and a terminal with SIGINT): leave the way
    // "Quit" does, with the windows closed and the store closed, rather than die of it.
    UnixSignalWatcher signalWatcher({SIGTERM, SIGINT});
    QObject::connect(&signalWatcher, &UnixSignalWatcher::received, &orvel, [&orvel](int number) {
        qInfo().noquote() << QStringLiteral("[Shell] Signal %1: quitting").arg(number);
        orvel.quit();
    });
    orvel.start();
#ifdef ORVEL_END_TO_END_TEST_BUILD
    EndToEndProbe probe(orvel);
#endif
    if (arguments.quitAfterFirstPaint)
        FirstPaintProbe::install(orvel.mainWindow());
    else if (StartupTrace::enabled())
        FirstPaintProbe::install(orvel.mainWindow(), FirstPaintProbe::Then::carryOn);
    ScreenshotTour tour(orvel, QDir(arguments.screenshotDir));
    if (!arguments.screenshotDir.isEmpty())
        tour.start();
    return app.exec();
}
