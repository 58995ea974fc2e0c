#include "TestRegistry.h"

#include "BuildConfig.h"
#include "service/ApplicationInformation.h"

#include <QTest>

namespace {

const QString absentMarker = QStringLiteral("<absent>");

QString shown(const std::optional<QString> &value) {
    return value.value_or(absentMarker);
}

QUrl buildServiceBase() {
    return QUrl(QString::fromUtf8(buildconfig::serviceBaseURL));
}

// The service's scheme, host and port with `path`, built independently of the code under test.
QUrl onServiceHost(const QString &path) {
    const QUrl base = buildServiceBase();
    return QUrl(QStringLiteral("%1://%2%3%4")
                    .arg(base.scheme(), base.host(),
                         base.port() < 0 ? QString() : QStringLiteral(":%1").arg(base.port()),
                         path));
}

} // namespace

class ApplicationInformationTest : public QObject {
    Q_OBJECT

private slots:
    void bundleInfoString_data() {
        QTest::addColumn<QVariantMap>("table");
        QTest::addColumn<QString>("expected");
        const QString key = appinfo::distributionChannelKey;
        QTest::newRow("string") << QVariantMap{{key, "direct"}} << "direct";
        QTest::newRow("empty string") << QVariantMap{{key, ""}} << absentMarker;
        QTest::newRow("key missing") << QVariantMap{{"Other", "direct"}} << absentMarker;
        QTest::newRow("integer") << QVariantMap{{key, 1}} << absentMarker;
    }
    void bundleInfoString() {
        QFETCH(QVariantMap, table);
        QFETCH(QString, expected);
        QCOMPARE(shown(::bundleInfoString(appinfo::distributionChannelKey, table)), expected);
    }

    void replacementStandsInForTheBuildTable() {
        // The compiled-in table always has a version; an empty replacement must hide it.
        QVERIFY(::bundleInfoString(appinfo::shortVersionKey).has_value());
        QCOMPARE(::bundleInfoString(appinfo::shortVersionKey, QVariantMap{}), std::nullopt);
        QCOMPARE(appVersionString(QVariantMap{}), QStringLiteral("unknown"));
    }

    void versionStrings_data() {
        QTest::addColumn<QVariantMap>("table");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        const QString v = appinfo::shortVersionKey;
        const QString b = appinfo::buildVersionKey;
        QTest::newRow("both strings") << QVariantMap{{v, "1.4.2"}, {b, "57"}} << "1.4.2"
                                      << "57";
        QTest::newRow("neither") << QVariantMap{} << "unknown"
                                 << "0";
    }
    void versionStrings() {
        QFETCH(QVariantMap, table);
        QFETCH(QString, version);
        QFETCH(QString, build);
        QCOMPARE(appVersionString(table), version);
        QCOMPARE(appBuildString(table), build);
    }

    void defaultsSitOnTheServiceHost() {
        QCOMPARE(defaultUpdateEndpointURL(), onServiceHost(QStringLiteral("/v2/app/update")));
        QCOMPARE(defaultPrivacyPolicyURL(), onServiceHost(QStringLiteral("/privacy")));
        QCOMPARE(defaultWebsiteURL(), onServiceHost(QString()));
        QVERIFY(defaultWebsiteURL().path().isEmpty());
    }

    void configuredURLs_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected"); // empty: the default
        QTest::newRow("absent") << QVariant() << QString();
        QTest::newRow("not a string") << QVariant(QUrl("https://other.example/x")) << QString();
        QTest::newRow("relative path") << QVariant("app/update") << QString();
        QTest::newRow("no host") << QVariant("https:///path") << QString();
        QTest::newRow("custom host")
            << QVariant("https://other.example/x") << "https://other.example/x";
    }
    void configuredURLs() {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QVariantMap table{{appinfo::shortVersionKey, "1.0"}};
        if (value.isValid()) {
            table.insert(appinfo::updateEndpointKey, value);
            table.insert(appinfo::privacyPolicyURLKey, value);
        }
        QCOMPARE(updateEndpointURL(table),
                 expected.isEmpty() ? defaultUpdateEndpointURL() : QUrl(expected));
        QCOMPARE(privacyPolicyURL(table),
                 expected.isEmpty() ? defaultPrivacyPolicyURL() : QUrl(expected));
    }

    void websiteURL_data() {
        QTest::addColumn<QVariantMap>("table");
        QTest::addColumn<QString>("expected"); // empty: the default website root
        const QString key = appinfo::updateEndpointKey;
        QTest::newRow("no endpoint") << QVariantMap{} << QString();
        QTest::newRow("other host and port")
            << QVariantMap{{key, "https://updates.example.net:8443/v9/app/update?x=1#top"}}
            << "https://updates.example.net:8443";
    }
    void websiteURL() {
        QFETCH(QVariantMap, table);
        QFETCH(QString, expected);
        const QUrl website = ::websiteURL(table);
        QCOMPARE(website, expected.isEmpty() ? defaultWebsiteURL() : QUrl(expected));
        QVERIFY(website.path().isEmpty());
        QVERIFY(!website.hasQuery());
        QVERIFY(!website.hasFragment());
    }
};

ORVEL_TEST_CLASS(ApplicationInformationTest);
#include "ApplicationInformationTest.moc"
