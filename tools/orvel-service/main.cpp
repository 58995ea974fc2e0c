// orvel-service: the local HTTPS stand-in for the IPO service, for the demo run and the tests.
//
//   orvel-service (--demo [--today yyyy-MM-dd] | --data FILE) --cert FILE --key FILE [--port N]
//
// Prints its base URL (https://127.0.0.1:PORT/v2) as the first line on standard output once it
// listens, so a caller can start it with --port 0 and read where it went. Logs go to standard
// error. SIGTERM and SIGINT end it cleanly with status 0.

#include "DemoData.h"
#include "ServiceData.h"
#include "ServiceServer.h"
#include "system/UnixSignalWatcher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTimeZone>

#include <csignal>
#include <cstdio>
#include <optional>

using namespace orvelservice;

namespace {

int fail(const QString &message) {
    std::fprintf(stderr, "orvel-service: %s\n", qPrintable(message));
    return 2;
}

std::optional<QSslConfiguration> loadTls(const QString &certPath, const QString &keyPath,
                                         QString *error) {
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(certPath, QSsl::Pem);
    if (chain.isEmpty()) {
        *error = QStringLiteral("no PEM certificate in %1").arg(certPath);
        return std::nullopt;
    }
    QFile keyFile(keyPath);
    if (!keyFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(keyPath, keyFile.errorString());
        return std::nullopt;
    }
    const QByteArray pem = keyFile.readAll();
    QSslKey key;
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec}) {
        key = QSslKey(pem, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull())
            break;
    }
    if (key.isNull()) {
        *error = QStringLiteral("no unencrypted RSA or EC private key in %1").arg(keyPath);
        return std::nullopt;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(chain);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone); // no client certificates
    return tls;
}

// Demo dates follow the market's calendar day, not the machine's.
QDate marketToday() {
    const QTimeZone market("Asia/Shanghai");
    const QDateTime now = QDateTime::currentDateTime();
    return market.isValid() ? now.toTimeZone(market).date() : now.date();
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvel-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Local HTTPS stand-in for the ORVEL IPO service"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port on 127.0.0.1 (0 picks a free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption certOption(QStringLiteral("cert"),
                                        QStringLiteral("Server certificate chain (PEM)."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption keyOption(
        QStringLiteral("key"), QStringLiteral("Server private key (PEM)."), QStringLiteral("FILE"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("JSON data file: {\"items\", \"stats\", \"update\"}."),
        QStringLiteral("FILE"));
    const QCommandLineOption demoOption(QStringLiteral("demo"),
                                        QStringLiteral("Serve demo IPOs made around today."));
    const QCommandLineOption todayOption(
        QStringLiteral("today"),
        QStringLiteral("Make the demo data around this day instead of today (yyyy-MM-dd)."),
        QStringLiteral("DATE"));
    parser.addOptions({portOption, certOption, keyOption, dataOption, demoOption, todayOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535)
        return fail(QStringLiteral("--port must be a number from 0 to 65535"));
    if (!parser.isSet(certOption) || !parser.isSet(keyOption))
        return fail(QStringLiteral("--cert and --key are required"));
    if (parser.isSet(dataOption) == parser.isSet(demoOption))
        return fail(QStringLiteral("give exactly one of --data FILE and --demo"));

    const QDate fixedToday =
        QDate::fromString(parser.value(todayOption), QStringLiteral("yyyy-MM-dd"));
    if (parser.isSet(todayOption) && (!parser.isSet(demoOption) || !fixedToday.isValid()))
        return fail(QStringLiteral("--today takes a yyyy-MM-dd date and goes with --demo"));

    QString error;
    const auto tls = loadTls(parser.value(certOption), parser.value(keyOption), &error);
    if (!tls)
        return fail(error);

    std::optional<ServiceData> data;
    if (parser.isSet(demoOption)) {
        const QDate today = fixedToday.isValid() ? fixedToday : marketToday();
        data = ServiceData::fromJson(demoData(today), &error);
        qInfo("[Service] demo data for %s", qPrintable(today.toString(Qt::ISODate)));
    } else {
        data = ServiceData::fromFile(parser.value(dataOption), &error);
    }
    if (!data)
        return fail(error);

    ServiceServer server(std::move(*data));
    const quint16 listening = server.listenLocal(static_cast<quint16>(port), *tls, &error);
    if (listening == 0)
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1: %2").arg(port).arg(error));

    UnixSignalWatcher signalWatcher({SIGTERM, SIGINT});
    if (!signalWatcher.isValid())
        return fail(QStringLiteral("cannot watch for SIGTERM"));
    QObject::connect(&signalWatcher, &UnixSignalWatcher::received, &app, [](int signalNumber) {
        qInfo("[Service] signal %d, stopping", signalNumber);
        QCoreApplication::quit();
    });

    std::printf("https://127.0.0.1:%u/v2\n", static_cast<unsigned>(listening));
    std::fflush(stdout);
    qInfo("[Service] listening on https://127.0.0.1:%u", static_cast<unsigned>(listening));
    return app.exec();
}
