#include "TestRegistry.h"

#include "analytics/AnalyticsEventPayload.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimeZone>

class AnalyticsEventPayloadTest : public QObject {
    Q_OBJECT

private slots:
    void jsonShape_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QVariant>("code"); // invalid: no code
        QTest::addColumn<QStringList>("keys");
        const QStringList common{"appVersion", "event", "installId", "occurredAt", "platform"};
        QTest::newRow("app_active")
            << AnalyticsEventPayload::appActiveEvent << QVariant() << common;
        QTest::newRow("user_data_saved")
            << AnalyticsEventPayload::userDataSavedEvent << QVariant(QStringLiteral("00700"))
            << (QStringList(common) << "code");
    }
    void jsonShape() {
        QFETCH(QString, event);
        QFETCH(QVariant, code);
        QFETCH(QStringList, keys);
        AnalyticsEventPayload payload;
        payload.event = event;
        payload.installId = QStringLiteral("0b1c2d3e-4f50-4617-8829-3a4b5c6d7e8f");
        payload.occurredAt = QDateTime(QDate(2025, 1, 6), QTime(2, 0), Qt::UTC);
        payload.appVersion = QStringLiteral("1.4.2 (57)");
        if (code.isValid())
            payload.code = code.toString();

        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(payload.encoded(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(document.isObject());
        const QJsonObject object = document.object();
        QStringList actualKeys = object.keys();
        actualKeys.sort();
        keys.sort();
        QCOMPARE(actualKeys, keys);
        for (const QString &key : keys)
            QVERIFY2(object.value(key).isString(), qPrintable(key));
        QCOMPARE(object.value("event").toString(), event);
        QCOMPARE(object.value("installId").toString(), payload.installId);
        QCOMPARE(object.value("occurredAt").toString(), QStringLiteral("2025-01-06T02:00:00.000Z"));
        QCOMPARE(object.value("appVersion").toString(), payload.appVersion);
        QCOMPARE(object.value("platform").toString(), QStringLiteral("macos"));
        if (code.isValid())
            QCOMPARE(object.value("code").toString(), code.toString());
        // Default encoder settings: one line, no indentation.
        QVERIFY(!payload.encoded().contains('\n'));
    }

    void timestamps_data() {
        QTest::addColumn<QDateTime>("instant");
        QTest::addColumn<QString>("text");
        QTest::newRow("milliseconds kept")
            << QDateTime(QDate(2025, 1, 6), QTime(2, 0, 5, 7), Qt::UTC)
            << "2025-01-06T02:00:05.007Z";
        QTest::newRow("Shanghai morning is the UTC evening before")
            << QDateTime(QDate(2025, 1, 7), QTime(7, 30, 0, 999),
                         QTimeZone(QByteArrayLiteral("Asia/Shanghai")))
            << "2025-01-06T23:30:00.999Z";
    }
    void timestamps() {
        QFETCH(QDateTime, instant);
        QFETCH(QString, text);
        QCOMPARE(AnalyticsEventPayload::timestamp(instant), text);
    }
};

ORVEL_TEST_CLASS(AnalyticsEventPayloadTest);
#include "AnalyticsEventPayloadTest.moc"
