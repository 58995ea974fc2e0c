#include "TestRegistry.h"

#include "analytics/AnalyticsEventPayload.h"

#include <QTest>
#include <QTimeZone>

// The whole payload is compared field by field where the tracker's events reach the local
// service; here only the instant's form, whatever zone the clock handed out.
class AnalyticsEventPayloadTest : public QObject {
    Q_OBJECT

private slots:
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
