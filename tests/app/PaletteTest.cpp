#include "TestRegistry.h"

#include "ui/look/Palette.h"

#include <QTest>

class PaletteTest : public QObject {
    Q_OBJECT

private slots:
    // The desktop portal's colour scheme (1 dark, 2 light) wins; without one, or with a value
    // it does not know, the window palette decides.
    void prefersDark() {
        const QColor white(Qt::white), black(Qt::black);
        QVERIFY(Palette::prefersDark(1u, white, black));
        QVERIFY(!Palette::prefersDark(2u, black, white));
        QVERIFY(Palette::prefersDark(0u, black, white));
        QVERIFY(Palette::prefersDark(std::nullopt, QColor(0x202020), QColor(0xeeeeee)));
        QVERIFY(!Palette::prefersDark(7u, white, black));
    }

    void everyColourHasTwoAppearances() {
        // A light value reused as the dark one would vanish against the other background.
        for (int i = 0; i < Palette::colorCount; ++i)
            QVERIFY2(Palette::color(PaletteColor(i), false) !=
                         Palette::color(PaletteColor(i), true),
                     qPrintable(QString::number(i)));
    }
};

ORVEL_TEST_CLASS(PaletteTest);

#include "PaletteTest.moc"
