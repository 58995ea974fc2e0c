#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/DetailPanelSlot.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/TagBadge.h"

#include <QLabel>
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
};

ORVEL_TEST_CLASS(RecordDetailPanelTest);

#include "RecordDetailPanelTest.moc"
