#include "BenchData.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

// Writes a data file for the local service (--data FILE) with a given number of generated IPOs,
// the same list the benchmarks decode.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes generated IPOs for orvel-service --data"));
    parser.addHelpOption();
    const QCommandLineOption items(QStringLiteral("items"), QStringLiteral("How many IPOs."),
                                   QStringLiteral("count"), QStringLiteral("500"));
    const QCommandLineOption today(
        QStringLiteral("today"),
        QStringLiteral("The day the IPOs are spread around (yyyy-MM-dd); "
                       "the current date when not given."),
        QStringLiteral("day"));
    parser.addOptions({items, today});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Where to write the data."));
    parser.process(app);

    bool countOk = false;
    const int count = parser.value(items).toInt(&countOk);
    QDate around = QDate::currentDate();
    if (parser.isSet(today))
        around = QDate::fromString(parser.value(today), QStringLiteral("yyyy-MM-dd"));
    if (!countOk || count < 0 || !around.isValid() || parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: %s [--items N] [--today yyyy-MM-dd] FILE\n", argv[0]);
        return 2;
    }
    QSaveFile file(parser.positionalArguments().constFirst());
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s\n", qPrintable(file.errorString()));
        return 1;
    }
    file.write(QJsonDocument(benchdata::serviceData(count, around)).toJson(QJsonDocument::Compact));
    if (!file.commit()) {
        std::fprintf(stderr, "%s\n", qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
