#include "TestRegistry.h"

#include "ui/look/Palette.h"

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
    }
};

ORVEL_TEST_CLASS(PaletteTest);

#include "PaletteTest.moc"
