#include "BuildConfig.h"
#include "ListCommand.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCoroTask>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("orvel"));
    QCoreApplication::setApplicationName(QStringLiteral("orvel"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(buildconfig::projectVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ORVEL: Hong Kong IPO subscriptions at a glance"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listOption(
        QStringLiteral("list"),
        QStringLiteral("Fetch the IPO list from the service and print it as tab-separated lines."));
    parser.addOption(listOption);
    parser.process(app);

    if (parser.isSet(listOption)) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        // A one-shot listing: no reminders to keep and no usage to report.
        IPORepository repository(IPOAPIClient::shared(), UserIPOStore::shared());
        return QCoro::waitFor(ListCommand::run(repository, out, err));
    }
    parser.showHelp(0);
}
