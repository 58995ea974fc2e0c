#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsCapital.h"

#include <QLineEdit>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

// The capital field: what a submitted text stores, what a stored amount shows, and that only
// Return commits.
class SettingsCapitalTest : public QObject {
    Q_OBJECT

private slots:
    void amountFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("amount");
        QTest::newRow("separators anywhere") << u",,12,3,4,,"_s << 1234.0;
        QTest::newRow("fraction with separators") << u"12,345.67"_s << 12345.67;
        QTest::newRow("exponent") << u"1.5e6"_s << 1500000.0;
        QTest::newRow("negative") << u"-2,000"_s << -2000.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("digits then letters") << u"100k"_s << 0.0;
        QTest::newRow("leading space") << u" 100"_s << 0.0;
        QTest::newRow("full-width digits") << u"１００"_s << 0.0;
        QTest::newRow("infinity word") << u"inf"_s << 0.0;
        QTest::newRow("not a number") << u"nan"_s << 0.0;
        QTest::newRow("overflows to infinity") << u"1e999"_s << 0.0;
    }
    void amountFromText() {
        QFETCH(QString, text);
        QFETCH(double, amount);
        QCOMPARE(SettingsCapital::amountFromText(text), amount);
    }

    void textForAmount_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("rounds up") << 1234.6 << u"1235"_s;
        QTest::newRow("half to even below") << 2.5 << u"2"_s;
        QTest::newRow("half to even above") << 3.5 << u"4"_s;
        QTest::newRow("no grouping when large") << 12345678901.0 << u"12345678901"_s;
        QTest::newRow("zero is empty") << 0.0 << QString();
        QTest::newRow("negative is empty") << -500.0 << QString();
        QTest::newRow("not a number is empty")
            << std::numeric_limits<double>::quiet_NaN() << QString();
        QTest::newRow("infinity is empty") << std::numeric_limits<double>::infinity() << QString();
    }
    void textForAmount() {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QCOMPARE(SettingsCapital::textForAmount(amount), text);
    }

    void returnCommitsWhatWasTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shownAgain");
        QTest::newRow("thousands separators") << u"1,234,567.6"_s << 1234567.6 << u"1234568"_s;
        // The settings refuse a non-finite amount and would keep the old one; the sheet stores 0
        // instead, as for any other text that is no usable number.
        QTest::newRow("infinity stores 0") << u"inf"_s << 0.0 << QString();
    }
    void returnCommitsWhatWasTyped() {
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QString, shownAgain);
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.settings->setCapitalAmount(5000);
        SettingsView &view = harness.makeView();
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto *field = view.findChild<QLineEdit *>(u"CapitalField"_s);
        QCOMPARE(field->text(), u"5000"_s);

        // Typing, leaving the field and closing the sheet keep the stored amount.
        field->setFocus();
        QTest::keyClicks(field, u"999"_s);
        view.findChild<QWidget *>(u"TaskbarSwitch"_s)->setFocus();
        view.hide();
        QCOMPARE(harness.settings->capitalAmount(), 5000.0);
        view.show();
        QCOMPARE(view.capitalText(), u"5000"_s);

        field->setFocus();
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(harness.settings->capitalAmount(), stored);
        QCOMPARE(harness.folder.makeSettings()->value(AppSettings::capitalAmountKey).toDouble(),
                 stored);
        // The text stays as typed; only the next showing reformats it.
        QCOMPARE(view.capitalText(), typed);
        view.hide();
        view.show();
        QCOMPARE(view.capitalText(), shownAgain);
    }
};

ORVEL_TEST_CLASS(SettingsCapitalTest);

#include "SettingsCapitalTest.moc"
