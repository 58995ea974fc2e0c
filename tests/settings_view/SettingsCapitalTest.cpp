#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsCapital.h"

#include <QLineEdit>
#include <QTest>

#include <limits>

// The capital field: what a submitted text stores, what a stored amount shows, and that only
// Return commits.
class SettingsCapitalTest : public QObject {
    Q_OBJECT

private slots:
    void amountFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("amount");
        QTest::newRow("plain") << QStringLiteral("500000") << 500000.0;
        QTest::newRow("thousands separators") << QStringLiteral("1,250,000") << 1250000.0;
        QTest::newRow("separators anywhere") << QStringLiteral(",,12,3,4,,") << 1234.0;
        QTest::newRow("fraction with separators") << QStringLiteral("12,345.67") << 12345.67;
        QTest::newRow("exponent") << QStringLiteral("1.5e6") << 1500000.0;
        QTest::newRow("plus sign") << QStringLiteral("+300") << 300.0;
        QTest::newRow("negative") << QStringLiteral("-2,000") << -2000.0;
        QTest::newRow("zero") << QStringLiteral("0") << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("only separators") << QStringLiteral(",,,") << 0.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("digits then letters") << QStringLiteral("100k") << 0.0;
        QTest::newRow("currency prefix") << QStringLiteral("HK$100") << 0.0;
        QTest::newRow("leading space") << QStringLiteral(" 100") << 0.0;
        QTest::newRow("trailing space") << QStringLiteral("100 ") << 0.0;
        QTest::newRow("full-width digits") << QStringLiteral("１００") << 0.0;
        QTest::newRow("full-width comma stays") << QStringLiteral("1，000") << 0.0;
        QTest::newRow("hexadecimal") << QStringLiteral("0x10") << 0.0;
        QTest::newRow("infinity word") << QStringLiteral("inf") << 0.0;
        QTest::newRow("infinity spelled out") << QStringLiteral("Infinity") << 0.0;
        QTest::newRow("negative infinity") << QStringLiteral("-inf") << 0.0;
        QTest::newRow("not a number") << QStringLiteral("nan") << 0.0;
        QTest::newRow("overflows to infinity") << QStringLiteral("1e999") << 0.0;
    }
    void amountFromText() {
        QFETCH(QString, text);
        QFETCH(double, amount);
        const double stored = SettingsCapital::amountFromText(text);
        QVERIFY(std::isfinite(stored));
        QCOMPARE(stored, amount);
    }

    void textForAmount_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1250000.0 << QStringLiteral("1250000");
        QTest::newRow("rounds down") << 1234.4 << QStringLiteral("1234");
        QTest::newRow("rounds up") << 1234.6 << QStringLiteral("1235");
        QTest::newRow("half to even below") << 2.5 << QStringLiteral("2");
        QTest::newRow("half to even above") << 3.5 << QStringLiteral("4");
        QTest::newRow("under one") << 0.4 << QStringLiteral("0");
        QTest::newRow("no grouping when large") << 12345678901.0 << QStringLiteral("12345678901");
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
        QTest::newRow("thousands separators") << QStringLiteral("1,234,567") << 1234567.0;
        QTest::newRow("fraction") << QStringLiteral("80000.5") << 80000.5;
        QTest::newRow("letters store 0") << QStringLiteral("abc") << 0.0;
        QTest::newRow("zero") << QStringLiteral("0") << 0.0;
        QTest::newRow("emptied field stores 0") << QString() << 0.0;
        // The settings refuse a non-finite amount and would keep the old one; the sheet stores 0
        // instead, as for any other text that is no usable number.
        QTest::newRow("infinity stores 0") << QStringLiteral("inf") << 0.0;
        QTest::newRow("not a number stores 0") << QStringLiteral("nan") << 0.0;
    }
    void returnCommitsWhatWasTyped() {
        QFETCH(QString, typed);
        QFETCH(double, stored);
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.settings->setCapitalAmount(5000);
        SettingsView &view = harness.makeView();
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto *field = view.findChild<QLineEdit *>(QStringLiteral("CapitalField"));
        QVERIFY(field);
        QCOMPARE(field->text(), QStringLiteral("5000"));

        field->setFocus();
        field->clear();
        QTest::keyClicks(field, typed);
        // Typing alone and leaving the field keep the stored amount.
        QCOMPARE(harness.settings->capitalAmount(), 5000.0);
        view.findChild<QWidget *>(QStringLiteral("TaskbarSwitch"))->setFocus();
        QVERIFY(!field->hasFocus());
        QCOMPARE(harness.settings->capitalAmount(), 5000.0);

        field->setFocus();
        QVERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(harness.settings->capitalAmount(), stored);
        // The text stays as typed; only the next showing reformats it.
        QCOMPARE(view.capitalText(), typed);

        // The amount reached the settings file, not only the object.
        const auto reread = harness.folder.makeSettings();
        QCOMPARE(reread->value(AppSettings::capitalAmountKey).toDouble(), stored);
    }

    void closingWithoutReturnKeepsTheAmount() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.settings->setCapitalAmount(7000);
        SettingsView &view = harness.makeView();
        view.show();
        auto *field = view.findChild<QLineEdit *>(QStringLiteral("CapitalField"));
        QVERIFY(field);
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("999"));
        view.hide();
        QCOMPARE(harness.settings->capitalAmount(), 7000.0);
        view.show();
        QCOMPARE(view.capitalText(), QStringLiteral("7000"));
    }

    void showingAgainFormatsTheStoredAmount_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fraction rounded") << 1234567.6 << QStringLiteral("1234568");
        QTest::newRow("zero shows the placeholder") << 0.0 << QString();
        QTest::newRow("negative shows the placeholder") << -10.0 << QString();
    }
    void showingAgainFormatsTheStoredAmount() {
        QFETCH(double, amount);
        QFETCH(QString, shown);
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.settings->setCapitalAmount(42);
        SettingsView &view = harness.makeView();
        view.show();
        QCOMPARE(view.capitalText(), QStringLiteral("42"));
        view.hide();
        harness.settings->setCapitalAmount(amount);
        view.show();
        QCOMPARE(view.capitalText(), shown);
        auto *field = view.findChild<QLineEdit *>(QStringLiteral("CapitalField"));
        QCOMPARE(field->placeholderText(), QStringLiteral("0"));
    }
};

ORVEL_TEST_CLASS(SettingsCapitalTest);

#include "SettingsCapitalTest.moc"
