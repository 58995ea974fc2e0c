#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsMessageBox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
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

    // A charge that is no usable amount is refused with the reason and the field shows the old
    // value again; a good one is stored as the settings keep it.
    void feesCardRefusesAndKeeps() {
        SettingsViewHarness harness;
        SettingsView &view = harness.makeView();
        view.show();
        auto *field = view.findChild<QLineEdit *>(u"MinimumCommissionField"_s);
        auto *message = view.findChild<QLabel *>(u"FeesMessage"_s);
        QCOMPARE(field->text(), u"3.00"_s);
        field->setText(u"abc"_s);
        emit field->editingFinished();
        QCOMPARE(field->text(), u"3.00"_s);
        QCOMPARE(message->text(), u"最低佣金：请输入数字"_s);
        QVERIFY(message->isVisible());
        field->setText(u"5"_s);
        emit field->editingFinished();
        QCOMPARE(field->text(), u"5.00"_s);
        QCOMPARE(harness.settings->brokerSettingText(BrokerSetting::minimumCommission), u"5.00"_s);
        QVERIFY(!message->isVisible());
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
