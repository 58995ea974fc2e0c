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
        QTest::newRow("kept as written") << QVariantMap{{key, " direct \n"}} << " direct \n";
        QTest::newRow("capitalised is another text") << QVariantMap{{key, "Direct"}} << "Direct";
        QTest::newRow("non-ASCII") << QVariantMap{{key, "直接"}} << "直接";
        QTest::newRow("empty string") << QVariantMap{{key, ""}} << absentMarker;
        QTest::newRow("null string") << QVariantMap{{key, QString()}} << absentMarker;
        QTest::newRow("key missing") << QVariantMap{{"Other", "direct"}} << absentMarker;
        QTest::newRow("empty table") << QVariantMap{} << absentMarker;
        QTest::newRow("key differs in case")
            << QVariantMap{{key.toLower(), "direct"}} << absentMarker;
        QTest::newRow("integer") << QVariantMap{{key, 1}} << absentMarker;
        QTest::newRow("bytes") << QVariantMap{{key, QByteArray("direct")}} << absentMarker;
        QTest::newRow("invalid variant") << QVariantMap{{key, QVariant()}} << absentMarker;
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
        QTest::newRow("both empty") << QVariantMap{{v, ""}, {b, ""}} << "unknown"
                                    << "0";
        QTest::newRow("build is a number") << QVariantMap{{v, "1.0"}, {b, 57}} << "1.0"
                                           << "0";
        QTest::newRow("version is a number") << QVariantMap{{v, 1.5}, {b, "9"}} << "unknown"
                                             << "9";
        QTest::newRow("text kept verbatim")
            << QVariantMap{{v, "2.0 beta"}, {b, "0x1F"}} << "2.0 beta"
            << "0x1F";
    }
    void versionStrings() {
        QFETCH(QVariantMap, table);
        QFETCH(QString, version);
        QFETCH(QString, build);
        QCOMPARE(appVersionString(table), version);
        QCOMPARE(appBuildString(table), build);
    }

    void compiledTableLeavesEmptyValuesOut_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("configured");
        QTest::newRow("channel") << appinfo::distributionChannelKey
                                 << QString::fromUtf8(buildconfig::distributionChannel);
        QTest::newRow("update endpoint")
            << appinfo::updateEndpointKey << QString::fromUtf8(buildconfig::updateEndpoint);
        QTest::newRow("privacy page")
            << appinfo::privacyPolicyURLKey << QString::fromUtf8(buildconfig::privacyPolicyURL);
        QTest::newRow("version") << appinfo::shortVersionKey
                                 << QString::fromUtf8(buildconfig::projectVersion);
        QTest::newRow("build") << appinfo::buildVersionKey
                               << QString::fromUtf8(buildconfig::buildNumber);
    }
    void compiledTableLeavesEmptyValuesOut() {
        QFETCH(QString, key);
        QFETCH(QString, configured);
        const ApplicationInformationTable &table = mainBundleInfo();
        QCOMPARE(table.contains(key), !configured.isEmpty());
        if (!configured.isEmpty()) {
            QCOMPARE(table.value(key).metaType().id(), QMetaType::QString);
            QCOMPARE(table.value(key).toString(), configured);
        }
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
        QTest::newRow("empty") << QVariant(QString()) << QString();
        QTest::newRow("not a string") << QVariant(QUrl("https://other.example/x")) << QString();
        QTest::newRow("spaces do not parse") << QVariant("https://other example/x") << QString();
        QTest::newRow("relative path") << QVariant("app/update") << QString();
        QTest::newRow("no host") << QVariant("https:///path") << QString();
        QTest::newRow("opaque scheme") << QVariant("mailto:someone@example.com") << QString();
        QTest::newRow("surrounding space is not trimmed")
            << QVariant(" https://other.example/x") << QString();
        QTest::newRow("custom host")
            << QVariant("https://other.example/x") << "https://other.example/x";
        QTest::newRow("custom host, port and query")
            << QVariant("https://updates.example.net:8443/v9/check?beta=1")
            << "https://updates.example.net:8443/v9/check?beta=1";
        QTest::newRow("plain http")
            << QVariant("http://127.0.0.1:8080/u") << "http://127.0.0.1:8080/u";
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
        QTest::newRow("malformed endpoint") << QVariantMap{{key, "::"}} << QString();
        QTest::newRow("other host and port")
            << QVariantMap{{key, "https://updates.example.net:8443/v9/app/update?x=1#top"}}
            << "https://updates.example.net:8443";
        QTest::newRow("other host, default port")
            << QVariantMap{{key, "https://updates.example.net/app/update"}}
            << "https://updates.example.net";
        QTest::newRow("scheme follows the endpoint")
            << QVariantMap{{key, "http://127.0.0.1:47843/v2/app/update"}}
            << "http://127.0.0.1:47843";
        QTest::newRow("privacy page does not move it")
            << QVariantMap{{appinfo::privacyPolicyURLKey, "https://elsewhere.example/p"}}
            << QString();
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
