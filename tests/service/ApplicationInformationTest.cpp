#include "TestRegistry.h"

#include "BuildConfig.h"
#include "service/ApplicationInformation.h"

#include <QTest>

namespace {

// The service's scheme, host and port with `path`, built independently of the code under test.
QUrl onServiceHost(const QString &path) {
    const QUrl base(QString::fromUtf8(buildconfig::serviceBaseURL));
    return QUrl(QStringLiteral("%1://%2%3%4")
                    .arg(base.scheme(), base.host(),
                         base.port() < 0 ? QString() : QStringLiteral(":%1").arg(base.port()),
                         path));
}

} // namespace

class ApplicationInformationTest : public QObject {
    Q_OBJECT

private slots:
    // Only a non-empty string counts; anything else falls back.
    void versionStrings_data() {
        QTest::addColumn<QVariantMap>("table");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("build");
        const QString v = appinfo::shortVersionKey, b = appinfo::buildVersionKey;
        QTest::newRow("strings") << QVariantMap{{v, "1.4.2"}, {b, "57"}} << "1.4.2" << 57;
        QTest::newRow("empty or missing") << QVariantMap{{v, ""}} << "unknown" << 0;
        QTest::newRow("numbers") << QVariantMap{{v, 1.5}, {b, 57}} << "unknown" << 0;
    }
    void versionStrings() {
        QFETCH(QVariantMap, table);
        QFETCH(QString, version);
        QFETCH(int, build);
        QCOMPARE(appVersionString(table), version);
        QCOMPARE(appBuildString(table), QString::number(build));
        // The compiled-in table always has a version; an empty replacement must hide it.
        QVERIFY(::bundleInfoString(appinfo::shortVersionKey).has_value());
    }

    // A configured URL must be absolute with a host, or the default on the service's host is
    // used; the website is the update endpoint's scheme, host and port.
    void configuredURLs_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected"); // empty: the defaults
        QTest::addColumn<QString>("website");
        QTest::newRow("absent") << QVariant() << QString() << QString();
        QTest::newRow("not a string")
            << QVariant(QUrl("https://other.example/x")) << QString() << QString();
        QTest::newRow("relative path") << QVariant("app/update") << QString() << QString();
        QTest::newRow("no host") << QVariant("https:///path") << QString() << QString();
        QTest::newRow("custom host")
            << QVariant("https://updates.example.net:8443/v9/app/update?x=1#top")
            << "https://updates.example.net:8443/v9/app/update?x=1#top"
            << "https://updates.example.net:8443";
    }
    void configuredURLs() {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QFETCH(QString, website);
        QVariantMap table{{appinfo::shortVersionKey, "1.0"}};
        if (value.isValid()) {
            table.insert(appinfo::updateEndpointKey, value);
            table.insert(appinfo::privacyPolicyURLKey, value);
        }
        QCOMPARE(updateEndpointURL(table), expected.isEmpty()
                                               ? onServiceHost(QStringLiteral("/v2/app/update"))
                                               : QUrl(expected));
        QCOMPARE(privacyPolicyURL(table),
                 expected.isEmpty() ? onServiceHost(QStringLiteral("/privacy")) : QUrl(expected));
        QCOMPARE(::websiteURL(table), website.isEmpty() ? onServiceHost(QString()) : QUrl(website));
    }
};

ORVEL_TEST_CLASS(ApplicationInformationTest);
#include "ApplicationInformationTest.moc"
