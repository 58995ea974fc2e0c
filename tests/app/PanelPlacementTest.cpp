#include "TestRegistry.h"

#include "app/PanelPlacement.h"

#include <QTest>

class PanelPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void position_data() {
        QTest::addColumn<std::optional<QRect>>("tray");
        QTest::addColumn<std::optional<QPoint>>("cursor");
        QTest::addColumn<QPoint>("expected");
        // 1920 × 1080 screen with a 32-point top bar; the panel is 700 × 500.
        const auto none = std::optional<QRect>();
        const auto noCursor = std::optional<QPoint>();
        QTest::newRow("top tray icon, centred below it")
            << std::optional(QRect(1500, 4, 24, 24)) << noCursor << QPoint(1161, 34);
        QTest::newRow("tray icon near the right edge is clamped")
            << std::optional(QRect(1890, 4, 24, 24)) << noCursor << QPoint(1220, 34);
        QTest::newRow("bottom tray icon opens above it")
            << std::optional(QRect(1500, 1050, 24, 24)) << noCursor << QPoint(1161, 544);
        QTest::newRow("tray at the origin is not trusted, cursor is")
            << std::optional(QRect(0, 0, 24, 24)) << std::optional(QPoint(800, 10))
            << QPoint(450, 32);
        QTest::newRow("empty tray geometry, cursor used")
            << std::optional(QRect()) << std::optional(QPoint(1000, 15)) << QPoint(650, 32);
        QTest::newRow("tray off screen, cursor used")
            << std::optional(QRect(5000, 5000, 24, 24)) << std::optional(QPoint(100, 1070))
            << QPoint(0, 564);
        QTest::newRow("nothing known, top right")
            << none << noCursor << QPoint(1920 - 6 - 700, 32 + 6);
        QTest::newRow("cursor off screen, top right")
            << none << std::optional(QPoint(-50, -50)) << QPoint(1920 - 6 - 700, 32 + 6);
    }
    void position() {
        QFETCH(std::optional<QRect>, tray);
        QFETCH(std::optional<QPoint>, cursor);
        QFETCH(QPoint, expected);
        const QRect full(0, 0, 1920, 1080);
        const QRect available(0, 32, 1920, 1048);
        const QSize panel(700, 500);
        const QPoint point = PanelPlacement::position(tray, cursor, panel, available, full);
        QCOMPARE(point, expected);
        QVERIFY(available.contains(QRect(point, panel)));
    }

    void tinyScreenKeepsTopLeftVisible() {
        // A panel larger than the screen shows its top left corner, where the header is.
        const QRect screen(0, 0, 640, 480);
        const QPoint point = PanelPlacement::position(std::nullopt, QPoint(600, 10),
                                                      QSize(700, 500), screen, screen);
        QCOMPARE(point, QPoint(0, 0));
    }
};

ORVEL_TEST_CLASS(PanelPlacementTest);

#include "PanelPlacementTest.moc"
