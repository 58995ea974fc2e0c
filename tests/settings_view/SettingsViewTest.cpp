#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsMessageBox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

using namespace Qt::StringLiterals;

class SettingsViewTest : public QObject {
    Q_OBJECT

private slots:
    void versionAndPlainTexts() {
        SettingsViewHarness harness;
        SettingsView &view = harness.makeView();
        QCOMPARE(view.findChild<QLabel *>(u"VersionLabel"_s)->text(), u"Version 1.3.2 (26)"_s);
        for (const QLabel *label : view.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        SettingsViewHarness unknown(ApplicationInformationTable{});
        QCOMPARE(unknown.makeView().findChild<QLabel *>(u"VersionLabel"_s)->text(),
                 u"Version unknown (0)"_s);
    }

    void messageBoxShowsPlainTextAndOneButton() {
        QWidget parent;
        const auto alert = SettingsAlertMessage::make(u"导入失败"_s, u"<b>CSV</b> 表头格式无效"_s);
        SettingsMessageBox().presentAlert(&parent, alert);
        const QPointer<QMessageBox> box = parent.findChild<QMessageBox *>(u"SettingsAlert"_s);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text() + box->informativeText(), alert.title + alert.message);
        for (const QLabel *label : box->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(box->buttons().size(), 1);
        QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        QTRY_VERIFY(!box);
    }
};

ORVEL_TEST_CLASS(SettingsViewTest);

#include "SettingsViewTest.moc"
