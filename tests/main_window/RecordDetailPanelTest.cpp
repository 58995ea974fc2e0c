#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/DetailPanelSlot.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/TagBadge.h"

#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <memory>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

// The detail panel on its own: the callbacks stand in for the repository.
class RecordDetailPanelTest : public QObject {
    Q_OBJECT

private:
    QStringList m_deleted;
    std::unique_ptr<RecordDetailPanel> m_panel;

    RecordDetailPanel *showPanel(const IPORecord &record) {
        m_deleted.clear();
        m_panel = std::make_unique<RecordDetailPanel>(
            record, [](const IPORecord &) { return true; },
            [this](const QString &code) {
                m_deleted.append(code);
                return true;
            });
        m_panel->resize(280, 520);
        m_panel->show();
        return m_panel.get();
    }

private slots:
    void cleanup() { m_panel.reset(); }

    void codeShowsWholeUpToTenCharacters_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("whole");
        QTest::newRow("ten characters") << u"HK05001-SW"_s << true;
        QTest::newRow("longer, cut short") << QString(40, u'8') << false;
    }
    void codeShowsWholeUpToTenCharacters() {
        QFETCH(QString, code);
        QFETCH(bool, whole);
        IPORecord record = makeIPORecord(code, u"<b>粗体</b>"_s);
        record.ipo.status = IPOStatus::listed;
        RecordDetailPanel *panel = showPanel(record);
        // The narrowest the detail panel gets.
        panel->resize(DetailPanelSlot::minimumPanelWidth, 520);
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        const auto *badge = panel->findChild<TagBadge *>(u"CodeBadge"_s);
        QTRY_COMPARE(badge->shownText() == code, whole);
        if (!whole)
            QVERIFY(badge->shownText().endsWith(u'…'));
        // The service's name shows as the characters it is.
        const auto *name = panel->findChild<QLabel *>(u"RecordName"_s);
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QCOMPARE(name->text(), u"<b>粗体</b>"_s);
    }

    // Switching to another IPO withdraws an open question, so a late answer cannot clear the
    // wrong record.
    void switchingIPOWithdrawsTheQuestion() {
        RecordDetailPanel *panel = showPanel(makeIPORecord(u"A"_s, u"甲"_s));
        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        const QPointer<QMessageBox> box = panel->deleteConfirmation();
        QCOMPARE(box->text(), u"确定要清除 甲 的本地记录吗？"_s);
        panel->setRecord(makeIPORecord(u"B"_s, u"乙"_s));
        QVERIFY(!panel->showsDeleteConfirm());
        QTRY_VERIFY(!box || !box->isVisible());
        QVERIFY(m_deleted.isEmpty());
    }
};

ORVEL_TEST_CLASS(RecordDetailPanelTest);

#include "RecordDetailPanelTest.moc"
