#include "TestRegistry.h"

#include "ui/look/AppearanceMonitor.h"
#include "ui/look/Palette.h"
#include "ui/look/ViewStyle.h"

#include <QSignalSpy>
#include <QTest>

class PaletteTest : public QObject {
    Q_OBJECT

private slots:
    void prefersDark_data() {
        QTest::addColumn<std::optional<uint>>("scheme");
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<bool>("dark");
        const QColor white(Qt::white);
        const QColor black(Qt::black);
        QTest::newRow("portal dark beats a light palette")
            << std::optional<uint>(1) << white << black << true;
        QTest::newRow("portal light beats a dark palette")
            << std::optional<uint>(2) << black << white << false;
        QTest::newRow("no preference, dark palette")
            << std::optional<uint>(0) << black << white << true;
        QTest::newRow("no preference, light palette")
            << std::optional<uint>(0) << white << black << false;
        QTest::newRow("no portal, dark palette")
            << std::optional<uint>() << QColor(0x202020) << QColor(0xeeeeee) << true;
        QTest::newRow("unknown scheme falls back")
            << std::optional<uint>(7) << white << black << false;
    }
    void prefersDark() {
        QFETCH(std::optional<uint>, scheme);
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        QFETCH(bool, dark);
        QCOMPARE(Palette::prefersDark(scheme, window, text), dark);
    }

    void everyColourHasTwoAppearances() {
        // A light value reused as the dark one would vanish against the other background.
        for (int i = 0; i < Palette::colorCount; ++i) {
            const auto color = PaletteColor(i);
            QVERIFY2(Palette::color(color, false) != Palette::color(color, true),
                     qPrintable(QString::number(i)));
        }
        QCOMPARE(Palette::color(PaletteColor::canvasBackground, false), QColor(0xF8, 0xF5, 0xEF));
        QCOMPARE(Palette::color(PaletteColor::accentAmberDeep, true), QColor(0xFC, 0xD3, 0x4D));
        QCOMPARE(Palette::color(PaletteColor::glassFill, true).alphaF(), 0.9f);
    }

    void overrideSwitchesLive() {
        AppearanceMonitor &monitor = AppearanceMonitor::shared();
        QSignalSpy changed(&monitor, &AppearanceMonitor::appearanceChanged);
        monitor.setOverride(!monitor.isDark());
        QCOMPARE(changed.count(), 1);
        const bool dark = monitor.isDark();
        QCOMPARE(ViewStyle::color(PaletteColor::textPrimary),
                 Palette::color(PaletteColor::textPrimary, dark));
        monitor.setOverride(std::nullopt);
        QCOMPARE(changed.count(), 2);
    }
};

ORVEL_TEST_CLASS(PaletteTest);

#include "PaletteTest.moc"
