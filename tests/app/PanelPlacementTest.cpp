#include "TestRegistry.h"

#include "app/PanelPlacement.h"

#include <QTest>

class PanelPlacementTest : public QObject {
    Q_OBJECT

private slots:
    // A 1920 × 1080 screen with a 32-point top bar; the panel is 700 × 500.
    void position() {
        const QRect full(0, 0, 1920, 1080);
        const QRect available(0, 32, 1920, 1048);
        const QSize panel(700, 500);
        const auto at = [&](std::optional<QRect> tray, std::optional<QPoint> cursor) {
            const QPoint point = PanelPlacement::position(tray, cursor, panel, available, full);
            return available.contains(QRect(point, panel)) ? point : QPoint(-1, -1);
        };
        // Centred below a top tray icon, clamped at the right edge, above a bottom one.
        QCOMPARE(at(QRect(1500, 4, 24, 24), std::nullopt), QPoint(1161, 34));
        QCOMPARE(at(QRect(1890, 4, 24, 24), std::nullopt), QPoint(1220, 34));
        QCOMPARE(at(QRect(1500, 1050, 24, 24), std::nullopt), QPoint(1161, 544));
        // A tray at the origin, empty or off screen is not trusted: the cursor is.
        QCOMPARE(at(QRect(0, 0, 24, 24), QPoint(800, 10)), QPoint(450, 32));
        QCOMPARE(at(QRect(), QPoint(1000, 15)), QPoint(650, 32));
        QCOMPARE(at(QRect(5000, 5000, 24, 24), QPoint(100, 1070)), QPoint(0, 564));
        // Nothing usable: top right.
        QCOMPARE(at(std::nullopt, std::nullopt), QPoint(1920 - 6 - 700, 32 + 6));
        QCOMPARE(at(std::nullopt, QPoint(-50, -50)), QPoint(1920 - 6 - 700, 32 + 6));
        // A panel larger than the screen shows its top left corner, where the header is.
        const QRect small(0, 0, 640, 480);
        QCOMPARE(PanelPlacement::position(std::nullopt, QPoint(600, 10), panel, small, small),
                 QPoint(0, 0));
    }
};

ORVEL_TEST_CLASS(PanelPlacementTest);

#include "PanelPlacementTest.moc"
