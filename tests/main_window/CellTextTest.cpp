#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/MainTableColumns.h"
#include "ui/main_window/TableCellText.h"

#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

using OptionalDate = std::optional<QDateTime>;
using OptionalText = std::optional<QString>;

class CellTextTest : public QObject {
    Q_OBJECT

private slots:
    void lotAmount_data() {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("shown");
        QTest::newRow("thousands separator") << QStringLiteral("3,030") << QStringLiteral("3030");
        QTest::newRow("cents are cut, not rounded")
            << QStringLiteral("2,020.50") << QStringLiteral("2020");
        QTest::newRow("zero cents") << QStringLiteral("3,030.00") << QStringLiteral("3030");
        QTest::newRow("five digits") << QStringLiteral("12,500") << QStringLiteral("12500");
        QTest::newRow("just under a dollar more")
            << QStringLiteral("4,999.99") << QStringLiteral("4999");
        QTest::newRow("negative truncates toward zero")
            << QStringLiteral("-5.9") << QStringLiteral("-5");
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("not a number") << QStringLiteral("待定") << QStringLiteral("待定");
        QTest::newRow("leading space") << QStringLiteral(" 3030") << QStringLiteral(" 3030");
        QTest::newRow("currency prefix")
            << QStringLiteral("HK$3,030") << QStringLiteral("HK$3,030");
        QTest::newRow("infinite") << QStringLiteral("inf") << QStringLiteral("inf");
        QTest::newRow("not a number value") << QStringLiteral("nan") << QStringLiteral("nan");
        QTest::newRow("beyond the double range")
            << QStringLiteral("1e400") << QStringLiteral("1e400");
        QTest::newRow("beyond the integer range") << QStringLiteral("9,300,000,000,000,000,000")
                                                  << QStringLiteral("9,300,000,000,000,000,000");
        QTest::newRow("largest whole amount below 2^63")
            << QStringLiteral("9223372036854774784") << QStringLiteral("9223372036854774784");
    }
    void lotAmount() {
        QFETCH(QString, service);
        QFETCH(QString, shown);
        QCOMPARE(TableCellText::lotAmount(service), shown);
    }

    void statusLabels() {
        QCOMPARE(TableCellText::statusLabel(IPOStatus::upcoming), QStringLiteral("待申购"));
        QCOMPARE(TableCellText::statusLabel(IPOStatus::open), QStringLiteral("申购中"));
        const QString listed = TableCellText::statusLabel(IPOStatus::listed);
        QVERIFY(listed.startsWith(QStringLiteral("已上")));
        QVERIFY(listed.size() <= 4);
    }

    void headers() {
        namespace Columns = MainTableColumns;
        QCOMPARE(Columns::headerText(Columns::code), QStringLiteral("股票代码"));
        QVERIFY(Columns::headerText(Columns::name).startsWith(QStringLiteral("股票")));
        QVERIFY(Columns::headerText(Columns::name) != Columns::headerText(Columns::code));
        QCOMPARE(Columns::headerText(Columns::status), QStringLiteral("状态"));
        QCOMPARE(Columns::headerText(Columns::lotAmount), QStringLiteral("一手资金(HKD)"));
        QVERIFY(Columns::headerText(Columns::subscriptionDate).startsWith(QStringLiteral("申购")));
        QCOMPARE(Columns::headerText(Columns::subQuantity), QStringLiteral("申购数"));
        QCOMPARE(Columns::headerText(Columns::winQuantity), QStringLiteral("中签数"));
        QVERIFY(Columns::headerText(Columns::prospectus).startsWith(QStringLiteral("招股")));
    }

    void subscriptionDate_data() {
        QTest::addColumn<OptionalDate>("start");
        QTest::addColumn<QString>("shown");
        QTest::newRow("market midnight")
            << OptionalDate(marketTime(2025, 7, 8)) << QStringLiteral("2025-07-08");
        QTest::newRow("UTC evening is the next market day")
            << OptionalDate(utcTime(2025, 7, 8, 16, 0)) << QStringLiteral("2025-07-09");
        QTest::newRow("last second of the market day")
            << OptionalDate(utcTime(2025, 7, 8, 15, 59, 59)) << QStringLiteral("2025-07-08");
        QTest::newRow("absent") << OptionalDate() << QStringLiteral("—");
        QTest::newRow("invalid") << OptionalDate(QDateTime()) << QStringLiteral("—");
    }
    void subscriptionDate() {
        QFETCH(OptionalDate, start);
        QFETCH(QString, shown);
        QCOMPARE(TableCellText::subscriptionDate(start), shown);
    }

    void quantityBadges_data() {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<OptionalText>("badge");
        QTest::newRow("zero") << qint64(0) << OptionalText();
        QTest::newRow("negative") << qint64(-5) << OptionalText();
        QTest::newRow("plain digits, no grouping") << qint64(2000) << OptionalText(u"2000"_s);
        QTest::newRow("large") << std::numeric_limits<qint64>::max()
                               << OptionalText(u"9223372036854775807"_s);
    }
    void quantityBadges() {
        QFETCH(qint64, count);
        QFETCH(OptionalText, badge);
        QCOMPARE(TableCellText::quantityBadge(count), badge);
    }

    void prospectusLinks_data() {
        QTest::addColumn<OptionalText>("service");
        QTest::addColumn<bool>("usable");
        QTest::newRow("https") << OptionalText(u"https://www.hkexnews.hk/a.pdf"_s) << true;
        QTest::newRow("http") << OptionalText(u"http://example.com/p"_s) << true;
        QTest::newRow("scheme in capitals") << OptionalText(u"HTTPS://example.com/p"_s) << true;
        QTest::newRow("absent") << OptionalText() << false;
        QTest::newRow("empty") << OptionalText(QString()) << false;
        QTest::newRow("a space") << OptionalText(u" "_s) << false;
        QTest::newRow("not a URL") << OptionalText(u"招股书"_s) << false;
        QTest::newRow("relative path") << OptionalText(u"/docs/a.pdf"_s) << false;
        QTest::newRow("javascript") << OptionalText(u"javascript:alert(1)"_s) << false;
        QTest::newRow("local file") << OptionalText(u"file:///etc/passwd"_s) << false;
        QTest::newRow("ftp") << OptionalText(u"ftp://example.com/a.pdf"_s) << false;
        QTest::newRow("https without host") << OptionalText(u"https:///a.pdf"_s) << false;
        QTest::newRow("spaces inside") << OptionalText(u"https://example.com/a b.pdf"_s) << false;
    }
    void prospectusLinks() {
        QFETCH(OptionalText, service);
        QFETCH(bool, usable);
        const std::optional<QUrl> link = TableCellText::prospectusLink(service);
        QCOMPARE(link.has_value(), usable);
        if (link)
            QVERIFY(link->scheme() == u"http" || link->scheme() == u"https");
    }

    void columnsShareTheRowWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("nameWidth");
        // The fixed columns take 618 points together.
        QTest::newRow("table at its minimum") << 700 << 82;
        QTest::newRow("wide") << 1200 << 582;
        QTest::newRow("too narrow for any name") << 600 << 0;
    }
    void columnsShareTheRowWidth() {
        using namespace MainTableColumns;
        QFETCH(int, width);
        QFETCH(int, nameWidth);
        const std::array<QRect, count> cells = cellRects(QRect(10, 0, width, 42));
        QCOMPARE(cells[name].width(), nameWidth);
        QCOMPARE(cells[code].left(), 10);
        for (int i = 1; i < count; ++i)
            QCOMPARE(cells[size_t(i)].left(), cells[size_t(i - 1)].right() + 1);
        const QList<int> fixed{84, 0, 72, 116, 118, 84, 84, 60};
        for (int i = 0; i < count; ++i) {
            if (i != name)
                QCOMPARE(cells[size_t(i)].width(), fixed[i]);
        }
        QCOMPARE(columnAt(QRect(10, 0, width, 42), cells[prospectus].center().x()),
                 int(prospectus));
        QCOMPARE(columnAt(QRect(10, 0, width, 42), 9), -1);
    }
};

ORVEL_TEST_CLASS(CellTextTest);

#include "CellTextTest.moc"
