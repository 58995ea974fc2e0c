#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsCapital.h"

#include <QLineEdit>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class SettingsCapitalTest : public QObject {
    Q_OBJECT

private slots:
    // Separators anywhere are dropped; anything else that is no finite number stores 0. The
    // field shows whole dollars, exact halves to even as C's "%.0f" does; nothing for no
    // positive amount.
    void amountAndText() {
        const QList<std::pair<QString, double>> amounts{
            {u",,12,3,4,,"_s, 1234}, {u"12,345.67"_s, 12345.67},
            {u"1.5e6"_s, 1500000},   {u"-2,000"_s, -2000},
            {QString(), 0},          {u"100k"_s, 0},
            {u" 100"_s, 0},          {u"１００"_s, 0},
            {u"inf"_s, 0},           {u"nan"_s, 0},
            {u"1e999"_s, 0}};
        for (const auto &[text, amount] : amounts)
            QCOMPARE(SettingsCapital::amountFromText(text), amount);
        const QList<std::pair<double, QString>> texts{
            {1234.6, u"1235"_s},
            {2.5, u"2"_s},
            {3.5, u"4"_s},
            {12345678901.0, u"12345678901"_s},
            {0, QString()},
            {-500, QString()},
            {std::numeric_limits<double>::quiet_NaN(), QString()},
            {std::numeric_limits<double>::infinity(), QString()}};
        for (const auto &[amount, text] : texts)
            QCOMPARE(SettingsCapital::textForAmount(amount), text);
    }

    void returnCommitsWhatWasTyped() {
        SettingsViewHarness harness;
        harness.settings->setCapitalAmount(5000);
        SettingsView &view = harness.makeView();
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto *field = view.findChild<QLineEdit *>(u"CapitalField"_s);
        // Typing, leaving the field and closing the sheet keep the stored amount.
        field->setFocus();
        QTest::keyClicks(field, u"999"_s);
        view.findChild<QWidget *>(u"TaskbarSwitch"_s)->setFocus();
        view.hide();
        view.show();
        QCOMPARE(harness.settings->capitalAmount(), 5000.0);
        QCOMPARE(view.capitalText(), u"5000"_s);

        field->setFocus();
        field->clear();
        QTest::keyClicks(field, u"1,234,567.6"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(harness.folder.makeSettings()->value(AppSettings::capitalAmountKey).toDouble(),
                 1234567.6);
        // The next showing reformats the text.
        view.hide();
        view.show();
        QCOMPARE(view.capitalText(), u"1234568"_s);
    }
};

ORVEL_TEST_CLASS(SettingsCapitalTest);

#include "SettingsCapitalTest.moc"
