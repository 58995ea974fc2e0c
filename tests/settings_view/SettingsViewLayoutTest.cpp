#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/look/ViewStyle.h"
#include "ui/settings/SettingsBar.h"
#include "ui/settings/SettingsButton.h"
#include "ui/settings/SettingsLabel.h"
#include "ui/settings/SettingsMessageBox.h"
#include "ui/settings/SettingsSwitch.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList labelTexts(const QWidget &view) {
    QStringList texts;
    for (const QLabel *label : view.findChildren<QLabel *>())
        texts.append(label->text());
    return texts;
}

} // namespace

// The sheet as laid out: its size, bars, texts, the taskbar switch binding and the close
// button; and the desktop message box behind the alerts.
class SettingsViewLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void sheetFrame() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.size(), QSize(440, 500));

        auto *titleBar = view.findChild<SettingsBar *>(QStringLiteral("SettingsTitleBar"));
        auto *footer = view.findChild<SettingsBar *>(QStringLiteral("SettingsFooter"));
        QVERIFY(titleBar && footer);
        QCOMPARE(titleBar->geometry(), QRect(0, 0, 440, 44));
        QCOMPARE(titleBar->lineEdge(), SettingsBar::LineEdge::bottom);
        QCOMPARE(footer->geometry(), QRect(0, 472, 440, 28));
        QCOMPARE(footer->lineEdge(), SettingsBar::LineEdge::top);

        auto *title = view.findChild<SettingsLabel *>(QStringLiteral("SettingsTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("设置"));
        QCOMPARE(title->font().pixelSize(), 14);
        QCOMPARE(title->font().weight(), QFont::DemiBold);

        auto *version = view.findChild<SettingsLabel *>(QStringLiteral("VersionLabel"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version 1.3.2 (26)"));
        QCOMPARE(version->font().pixelSize(), 10);
        QCOMPARE(version->textColor(), ViewStyle::color(PaletteColor::textSecondary, 0.75));

        auto *close = view.findChild<SettingsButton *>(QStringLiteral("CloseButton"));
        QVERIFY(close);
        QCOMPARE(close->symbolName(), QStringLiteral("xmark"));
        QVERIFY(close->geometry().right() > 440 - 20 - 30);
        QSignalSpy dismissed(&view, &SettingsView::dismissRequested);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(dismissed.count(), 1);
    }

    void versionWithoutInformation() {
        SettingsViewHarness harness(ApplicationInformationTable{});
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        QCOMPARE(view.findChild<QLabel *>(QStringLiteral("VersionLabel"))->text(),
                 QStringLiteral("Version unknown (0)"));
    }

    void everyTextOfTheSheet() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        const QStringList texts = labelTexts(view);
        const QStringList expected = {
            QStringLiteral("港元资金量"),
            QStringLiteral("用于计算申购资金利用率"),
            QStringLiteral("HK$"),
            QStringLiteral("隐藏 Dock 图标"),
            QStringLiteral("隐藏后 App 仅在菜单栏显示"),
            QStringLiteral("暗盘提醒"),
            QStringLiteral("仅在你主动开启后请求通知权限，并在上市前一个工作日 16:15 提醒。"),
            QStringLiteral("官网直装版可在这里手动检查更新；App Store 版本不会显示这个入口。"),
            QStringLiteral("导出当前本地的申购与中签记录，或从同格式 CSV 文件恢复缺失记录。"),
            QStringLiteral("CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at"),
        };
        for (const QString &text : expected)
            QVERIFY2(texts.contains(text), qPrintable(text));
        for (const QLabel *label : view.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);

        // The four labels left open begin as they must.
        QVERIFY(texts.contains(QStringLiteral("应用更新")));
        QVERIFY(view.findChild<SettingsButton *>(QStringLiteral("PrivacyButton"))
                    ->text()
                    .startsWith(QStringLiteral("隐私")));

        for (const QLabel *heading :
             view.findChildren<QLabel *>(QStringLiteral("SectionHeading"))) {
            QCOMPARE(heading->font().pixelSize(), 9);
            // Fonts keep letter spacing in 1/64ths of a pixel.
            QVERIFY(qAbs(heading->font().letterSpacing() - 1.2) < 1.0 / 64);
            QCOMPARE(heading->font().letterSpacingType(), QFont::AbsoluteSpacing);
        }
        auto *field = view.findChild<QLineEdit *>(QStringLiteral("CapitalField"));
        QCOMPARE(field->width(), 100);
        QCOMPARE(field->font().pixelSize(), 13);
        QCOMPARE(field->font().family(), ViewStyle::monospacedFont(13).family());
        QCOMPARE(field->placeholderText(), QStringLiteral("0"));
    }

    void taskbarSwitchFollowsTheSettingBothWays() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(QStringLiteral("TaskbarSwitch"));
        QVERIFY(toggle);
        QCOMPARE(toggle->accessibleName(), QStringLiteral("隐藏 Dock 图标"));
        QVERIFY(!toggle->isChecked());

        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(harness.settings->hideDockIcon());
        QVERIFY(harness.folder.makeSettings()->value(AppSettings::hideDockIconKey).toBool());

        harness.settings->setHideDockIcon(false);
        QVERIFY(!toggle->isChecked());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked());
        QVERIFY(harness.settings->hideDockIcon());
    }

    void messageBoxShowsPlainTextAndOneButton() {
        QWidget parent;
        parent.resize(440, 500);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        SettingsMessageBox boxes;
        int dismissals = 0;
        const SettingsAlertMessage alert = SettingsAlertMessage::make(
            QStringLiteral("导入失败"), QStringLiteral("<b>CSV</b> 表头格式无效"));
        boxes.presentAlert(&parent, alert, [&dismissals] { ++dismissals; });

        QMessageBox *box = parent.findChild<QMessageBox *>(QStringLiteral("SettingsAlert"));
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), alert.title);
        QCOMPARE(box->text(), alert.title);
        QCOMPARE(box->informativeText(), alert.message);
        for (const QLabel *label : box->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        const QList<QAbstractButton *> buttons = box->buttons();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.first()->text(), QStringLiteral("知道了"));

        const QPointer<QMessageBox> guard(box);
        QTest::mouseClick(buttons.first(), Qt::LeftButton);
        QCOMPARE(dismissals, 1);
        QTRY_VERIFY(!guard);
        QCOMPARE(dismissals, 1);
    }
};

ORVEL_TEST_CLASS(SettingsViewLayoutTest);

#include "SettingsViewLayoutTest.moc"
