#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/DetailPanelSlot.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"
#include "ui/main_window/SegmentedControl.h"
#include "ui/main_window/TagBadge.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

// The detail panel on its own: the callbacks stand in for the repository.
class RecordDetailPanelTest : public QObject {
    Q_OBJECT

private:
    QList<IPORecord> m_saved;
    QStringList m_deleted;
    bool m_accept = true;
    std::unique_ptr<RecordDetailPanel> m_panel;

    RecordDetailPanel *showPanel(const IPORecord &record) {
        m_panel = std::make_unique<RecordDetailPanel>(
            record,
            [this](const IPORecord &edited) {
                m_saved.append(edited);
                return m_accept;
            },
            [this](const QString &code) {
                m_deleted.append(code);
                return m_accept;
            });
        m_panel->resize(280, 520);
        m_panel->show();
        return m_panel.get();
    }

    static void retype(QuantityField *field, const QString &text) {
        field->input()->clear();
        QTest::keyClicks(field->input(), text);
    }

private slots:
    void init() {
        m_saved.clear();
        m_deleted.clear();
        m_accept = true;
    }
    void cleanup() { m_panel.reset(); }

    void startsEmptyUntilShown() {
        const IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"),
                                               std::nullopt, 2000, 0, SubMethod::cash);
        RecordDetailPanel panel(record, {}, {});
        QCOMPARE(panel.subQtyText(), QString());
        QCOMPARE(panel.subMethod(), SubMethod::cash);
        QVERIFY(!panel.isSaved());
        QVERIFY(!panel.showsDeleteConfirm());
        panel.show();
        QCOMPARE(panel.subQtyText(), QStringLiteral("2000"));
        QCOMPARE(panel.methodControl()->currentIndex(), 0);
    }

    void loadsTheRecord_data() {
        QTest::addColumn<qint64>("sub");
        QTest::addColumn<qint64>("win");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("subText");
        QTest::addColumn<QString>("winText");
        QTest::addColumn<int>("segment");
        QTest::newRow("no figures: empty, margin")
            << qint64(0) << qint64(0) << int(SubMethod::cash) << QString() << QString() << 1;
        QTest::newRow("2000 in cash") << qint64(2000) << qint64(0) << int(SubMethod::cash)
                                      << QStringLiteral("2000") << QString() << 0;
        QTest::newRow("margin with allotment")
            << qint64(3000) << qint64(1000) << int(SubMethod::margin) << QStringLiteral("3000")
            << QStringLiteral("1000") << 1;
    }
    void loadsTheRecord() {
        QFETCH(qint64, sub);
        QFETCH(qint64, win);
        QFETCH(int, method);
        QFETCH(QString, subText);
        QFETCH(QString, winText);
        QFETCH(int, segment);
        RecordDetailPanel *panel =
            showPanel(makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"), std::nullopt,
                                    sub, win, SubMethod(method)));
        QCOMPARE(panel->subQtyText(), subText);
        QCOMPARE(panel->winQtyText(), winText);
        QCOMPARE(panel->methodControl()->currentIndex(), segment);
        QCOMPARE(panel->methodControl()->labels(),
                 QStringList({QStringLiteral("现金申购"), QStringLiteral("融资90%")}));
        QCOMPARE(panel->subscriptionField()->label(), QStringLiteral("申购数量"));
        QCOMPARE(panel->allotmentField()->label(), QStringLiteral("中签数量"));
        QCOMPARE(panel->subscriptionField()->input()->placeholderText(), QStringLiteral("0"));
    }

    void titleShowsNameAndTags() {
        IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河智能科技"));
        record.ipo.status = IPOStatus::upcoming;
        RecordDetailPanel *panel = showPanel(record);
        const QList<TagBadge *> badges = panel->findChildren<TagBadge *>();
        QCOMPARE(badges.size(), 2);
        const TagBadge *code = panel->findChild<TagBadge *>(QStringLiteral("CodeBadge"));
        const TagBadge *status = panel->findChild<TagBadge *>(QStringLiteral("StatusBadge"));
        QCOMPARE(code->text(), QStringLiteral("02513"));
        QVERIFY(code->isMono());
        QCOMPARE(status->text(), QStringLiteral("待申购"));
        QVERIFY(!status->isMono());
    }

    void codeShowsWholeUpToTenCharacters_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("whole");
        QTest::newRow("five digits") << QStringLiteral("05001") << true;
        QTest::newRow("ten characters") << QStringLiteral("HK05001-SW") << true;
        QTest::newRow("longer, cut short") << QString(40, u'8') << false;
    }
    void codeShowsWholeUpToTenCharacters() {
        QFETCH(QString, code);
        QFETCH(bool, whole);
        IPORecord record = makeIPORecord(code, QStringLiteral("星河智能科技"));
        record.ipo.status = IPOStatus::listed;
        RecordDetailPanel *panel = showPanel(record);
        // The narrowest the detail panel gets.
        panel->resize(DetailPanelSlot::minimumPanelWidth, 520);
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        const auto *badge = panel->findChild<TagBadge *>(QStringLiteral("CodeBadge"));
        QTRY_COMPARE(badge->shownText() == code, whole);
        if (!whole)
            QVERIFY(badge->shownText().endsWith(u'…'));
        const auto *status = panel->findChild<TagBadge *>(QStringLiteral("StatusBadge"));
        QCOMPARE(status->shownText(), status->text());
    }

    void lotCountsFollowTyping_data() {
        QTest::addColumn<QString>("lotAmount");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // 3,030 at 3.03 is 1000 shares a lot.
        QTest::newRow("2500 is 2 lots")
            << QStringLiteral("3,030") << QStringLiteral("2500") << QStringLiteral("2 手");
        QTest::newRow("2,500 shows none")
            << QStringLiteral("3,030") << QStringLiteral("2,500") << QString();
        QTest::newRow("unknown lot size counts shares")
            << QString() << QStringLiteral("3000") << QStringLiteral("3000 手");
    }
    void lotCountsFollowTyping() {
        QFETCH(QString, lotAmount);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        IPORecord record = makeIPORecord(QStringLiteral("1"), QStringLiteral("n"));
        record.ipo.lotAmount = lotAmount;
        RecordDetailPanel *panel = showPanel(record);
        retype(panel->subscriptionField(), typed);
        QCOMPARE(panel->subscriptionField()->lotCountText(), shown);
        retype(panel->allotmentField(), typed);
        QCOMPARE(panel->allotmentField()->lotCountText(), shown);
        // Nothing typed is filtered or reformatted.
        QCOMPARE(panel->subQtyText(), typed);
    }

    void financingLineFollowsMethodAndText() {
        IPORecord record = makeIPORecord(QStringLiteral("1"), QStringLiteral("n"));
        RecordDetailPanel *panel = showPanel(record);
        QCOMPARE(panel->subMethod(), SubMethod::margin);
        QCOMPARE(panel->financingText(), QString());
        retype(panel->subscriptionField(), QStringLiteral("10000"));
        QCOMPARE(panel->financingText(), QStringLiteral("融资 HK$27269  手续费 HK$28"));
        SegmentedControl *method = panel->methodControl();
        QTest::mouseClick(method, Qt::LeftButton, {}, method->segmentRect(0).center());
        QCOMPARE(panel->subMethod(), SubMethod::cash);
        QCOMPARE(panel->financingText(), QString());
        QTest::mouseClick(method, Qt::LeftButton, {}, method->segmentRect(1).center());
        QCOMPARE(panel->financingText(), QStringLiteral("融资 HK$27269  手续费 HK$28"));
        retype(panel->subscriptionField(), QStringLiteral("abc"));
        QCOMPARE(panel->financingText(), QString());
    }

    void saveHandsBackTheTypedFigures_data() {
        QTest::addColumn<QString>("subText");
        QTest::addColumn<QString>("winText");
        QTest::addColumn<qint64>("sub");
        QTest::addColumn<qint64>("win");
        QTest::newRow("plus sign")
            << QStringLiteral("+100") << QString() << qint64(100) << qint64(0);
        QTest::newRow("space inside saves 0")
            << QStringLiteral("1 000") << QStringLiteral("500") << qint64(0) << qint64(500);
    }
    void saveHandsBackTheTypedFigures() {
        QFETCH(QString, subText);
        QFETCH(QString, winText);
        QFETCH(qint64, sub);
        QFETCH(qint64, win);
        const IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"),
                                               marketTime(2025, 7, 8), 7000, 3000, SubMethod::cash);
        RecordDetailPanel *panel = showPanel(record);
        retype(panel->subscriptionField(), subText);
        retype(panel->allotmentField(), winText);
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QCOMPARE(m_saved.size(), 1);
        QCOMPARE(m_saved[0].subQuantity, sub);
        QCOMPARE(m_saved[0].winQuantity, win);
        QCOMPARE(m_saved[0].subMethod, SubMethod::cash);
        QCOMPARE(m_saved[0].ipo, record.ipo);
        QCOMPARE(panel->subQtyText(), subText);
    }

    void feedbackReportsWhatTheStoreDid_data() {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("stored") << true << QStringLiteral("已保存") << QStringLiteral("checkmark");
        QTest::newRow("refused") << false << QStringLiteral("保存失败") << QStringLiteral("xmark");
    }
    void feedbackReportsWhatTheStoreDid() {
        QFETCH(bool, accepted);
        QFETCH(QString, title);
        QFETCH(QString, symbol);
        m_accept = accepted;
        RecordDetailPanel *panel =
            showPanel(makeIPORecord(QStringLiteral("1"), QStringLiteral("n")));
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存记录"));
        QCOMPARE(panel->saveButton()->symbolName(), QStringLiteral("square.and.arrow.down"));
        retype(panel->subscriptionField(), QStringLiteral("2000"));
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QCOMPARE(panel->saveButton()->title(), title);
        QCOMPARE(panel->saveButton()->symbolName(), symbol);
        QCOMPARE(panel->isSaved(), accepted);
        QCOMPARE(panel->showsSaveFailure(), !accepted);
        QCOMPARE(panel->subQtyText(), QStringLiteral("2000"));
        QTRY_COMPARE_WITH_TIMEOUT(panel->saveButton()->title(), QStringLiteral("保存记录"), 5000);
    }

    void anotherIPOReloadsTheFields() {
        RecordDetailPanel *panel = showPanel(makeIPORecord(
            QStringLiteral("A"), QStringLiteral("甲"), std::nullopt, 2000, 0, SubMethod::cash));
        retype(panel->subscriptionField(), QStringLiteral("2500"));
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QVERIFY(panel->isSaved());

        // The same IPO republished (after the save) keeps the typed text and the feedback.
        IPORecord republished = makeIPORecord(QStringLiteral("A"), QStringLiteral("甲乙"),
                                              std::nullopt, 2500, 0, SubMethod::cash);
        republished.ipo.lotAmount = QStringLiteral("6,060");
        panel->setRecord(republished);
        QCOMPARE(panel->subQtyText(), QStringLiteral("2500"));
        QVERIFY(panel->isSaved());
        QCOMPARE(panel->subscriptionField()->lotCountText(), QStringLiteral("1 手"));

        panel->setRecord(makeIPORecord(QStringLiteral("B"), QStringLiteral("乙")));
        QCOMPARE(panel->subQtyText(), QString());
        QCOMPARE(panel->subMethod(), SubMethod::margin);
        QVERIFY(!panel->isSaved());
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存记录"));
    }

    void clearAsksWithTheName_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("清除") << true;
        QTest::newRow("取消") << false;
    }
    void clearAsksWithTheName() {
        QFETCH(bool, confirm);
        RecordDetailPanel *panel =
            showPanel(makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河智能科技")));
        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        QVERIFY(panel->showsDeleteConfirm());
        QMessageBox *box = panel->deleteConfirmation();
        QCOMPARE(box->text(), QStringLiteral("确定要清除 星河智能科技 的本地记录吗？"));
        QCOMPARE(box->windowTitle(), box->text());
        QPushButton *clear = box->findChild<QPushButton *>(QStringLiteral("ConfirmClearButton"));
        QPushButton *cancel = box->findChild<QPushButton *>(QStringLiteral("CancelClearButton"));
        QCOMPARE(clear->text(), QStringLiteral("清除"));
        QCOMPARE(box->buttonRole(clear), QMessageBox::DestructiveRole);
        QCOMPARE(cancel->text(), QStringLiteral("取消"));
        QCOMPARE(box->buttonRole(cancel), QMessageBox::RejectRole);
        (confirm ? clear : cancel)->click();
        QVERIFY(!panel->showsDeleteConfirm());
        QCOMPARE(m_deleted, confirm ? QStringList{QStringLiteral("02513")} : QStringList{});
        QVERIFY(!panel->clearButton()->showsFailure());
    }

    void switchingIPOCancelsAnOpenQuestion() {
        RecordDetailPanel *panel =
            showPanel(makeIPORecord(QStringLiteral("A"), QStringLiteral("甲")));
        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        const QPointer<QMessageBox> box = panel->deleteConfirmation();
        QVERIFY(box);
        panel->setRecord(makeIPORecord(QStringLiteral("B"), QStringLiteral("乙")));
        QVERIFY(!panel->showsDeleteConfirm());
        QTRY_VERIFY(!box || !box->isVisible());
        QVERIFY(m_deleted.isEmpty());
    }
};

ORVEL_TEST_CLASS(RecordDetailPanelTest);

#include "RecordDetailPanelTest.moc"
