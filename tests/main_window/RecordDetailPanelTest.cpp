#include "MainWindowTestData.h"
#include "TestRegistry.h"
#include "model/MarketCalendar.h"

#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/DetailPanelSlot.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaleField.h"
#include "ui/main_window/SegmentedControl.h"
#include "ui/main_window/TagBadge.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

class RecordDetailPanelTest : public QObject {
    Q_OBJECT

private slots:
    // At the narrowest the panel gets, a code of up to ten characters shows whole.
    void codeShowsWholeUpToTenCharacters() {
        for (const QString &code : {u"HK05001-SW"_s, QString(40, u'8')}) {
            RecordDetailPanel panel(makeIPORecord(code, u"<b>粗体</b>"_s), {}, {});
            panel.resize(DetailPanelSlot::minimumPanelWidth, 520);
            panel.show();
            QVERIFY(QTest::qWaitForWindowExposed(&panel));
            const auto *badge = panel.findChild<TagBadge *>(u"CodeBadge"_s);
            if (code.size() <= 10)
                QTRY_COMPARE(badge->shownText(), code);
            else
                QTRY_VERIFY(badge->shownText().endsWith(u'…'));
            // The service's name shows as the characters it is.
            const auto *name = panel.findChild<QLabel *>(u"RecordName"_s);
            QCOMPARE(name->textFormat(), Qt::PlainText);
            QCOMPARE(name->text(), u"<b>粗体</b>"_s);
        }
    }

    // Switching to another IPO withdraws an open question, so a late answer cannot clear the
    // wrong record.
    void switchingIPOWithdrawsTheQuestion() {
        QStringList deleted;
        RecordDetailPanel panel(
            makeIPORecord(u"A"_s, u"甲"_s), [](const IPORecord &) { return true; },
            [&deleted](const QString &code) { return deleted.append(code), true; });
        panel.show();
        QTest::mouseClick(panel.clearButton(), Qt::LeftButton);
        const QPointer<QMessageBox> box = panel.deleteConfirmation();
        QCOMPARE(box->text(), u"确定要清除 甲 的本地记录吗？"_s);
        panel.setRecord(makeIPORecord(u"B"_s, u"乙"_s));
        QVERIFY(!panel.showsDeleteConfirm());
        QTRY_VERIFY(!box || !box->isVisible());
        QVERIFY(deleted.isEmpty());
    }

    // The sale as typed: the live line follows it, and only a sale that reads is saved (the fee
    // sheet's first example: 500 shares at HK$10.00, sold on the grey-market day at HK$12.50).
    void saleIsCheckedAndSavedWhole_data() {
        QTest::addColumn<QString>("sold");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("day"); // empty: the grey-market button
        QTest::addColumn<QString>("wrongField");
        QTest::addColumn<QString>("shown"); // the result line, then the held line
        QTest::newRow("sold on the grey-market day") << ""
                                                     << "12.50"
                                                     << ""
                                                     << ""
                                                     << "收益 HK$1173.78（+23.2%）· 费用 HK$76.22|";
        // Half of the allotment's cost, the sale's own charges at their minimums (3125.00
        // − 22.39 − 2525.215), and every charge paid so far.
        QTest::newRow("half sold") << "250"
                                   << "12.50"
                                   << "2026-03-05"
                                   << ""
                                   << "收益 HK$577.40（+22.9%）· 费用 HK$72.82|持有 250 股";
        QTest::newRow("letters in a price") << ""
                                            << "12.5x"
                                            << ""
                                            << "SellPriceField"
                                            << "|";
        QTest::newRow("more sold than allotted") << "600"
                                                 << "12.50"
                                                 << ""
                                                 << "SoldQuantityField"
                                                 << "|";
        QTest::newRow("before the last subscription day") << ""
                                                          << "12.50"
                                                          << "2026-03-01"
                                                          << "SellDateField"
                                                          << "|";
    }
    void saleIsCheckedAndSavedWhole() {
        QFETCH(QString, sold);
        QFETCH(QString, price);
        QFETCH(QString, day);
        QFETCH(QString, wrongField);
        QFETCH(QString, shown);
        IPORecord record = makeIPORecord(u"02590"_s, u"示例"_s);
        record.ipo.priceRange = u"8.00-10.00"_s;
        record.ipo.subEnd = marketCalendar().startOfDay(QDate(2026, 3, 2));
        record.ipo.listingDate = marketCalendar().startOfDay(QDate(2026, 3, 6));
        QList<IPORecord> saved;
        RecordDetailPanel panel(record, [&](const IPORecord &r) { return saved.append(r), true; },
                                {});
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        SegmentedControl *method = panel.methodControl();
        QTest::mouseClick(method, Qt::LeftButton, {}, method->segmentRect(0).center());
        QTest::keyClicks(panel.subscriptionField()->input(), u"500"_s);
        QTest::keyClicks(panel.allotmentField()->input(), u"500"_s);
        QVERIFY(panel.showsSaleGroup());
        QTest::keyClicks(panel.soldQuantityField()->input(), sold);
        QTest::keyClicks(panel.sellPriceField()->input(), price);
        if (day.isEmpty())
            panel.findChild<QAbstractButton *>(u"GreyMarketDayButton"_s)->click();
        else
            QTest::keyClicks(panel.sellDateField()->input(), day);
        QCOMPARE(panel.resultText() + u'|' + panel.heldText(), shown);
        panel.save();
        QCOMPARE(saved.size(), qsizetype(wrongField.isEmpty()));
        for (const auto *field : panel.findChildren<SaleField *>())
            QCOMPARE(!field->message().isEmpty(), field->objectName() == wrongField);
        if (!saved.isEmpty()) {
            QCOMPARE(saved.first().winQuantity, 500);
            QCOMPARE(saved.first().sale.sellPriceMills, std::optional<qint64>(12500));
            QCOMPARE(saved.first().sale.sellDate, std::optional(QDate(2026, 3, 5)));
        }
    }
};

ORVEL_TEST_CLASS(RecordDetailPanelTest);

#include "RecordDetailPanelTest.moc"
