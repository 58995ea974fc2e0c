#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsBackup.h"
#include "ui/settings/SettingsFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QByteArray lines(const QStringList &rows) {
    return (QStringList{u"code,sub_quantity,win_quantity,sub_method,updated_at"_s} + rows)
        .join(u'\n')
        .toUtf8();
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<UserIPOStore> storeWithTwo() {
    auto store = std::move(UserIPOStore::open({.inMemory = true}).value());
    store->saveEntry(u"00700"_s, 500, 0, SubMethod::cash);
    store->saveEntry(u"09988"_s, 300, 100, SubMethod::margin);
    return store;
}

QStringList storedCodes(const UserIPOStore &store) {
    QStringList codes = store.entriesByCode().keys();
    codes.sort();
    return codes;
}

} // namespace

class SettingsBackupTest : public QObject {
    Q_OBJECT

private slots:
    void importContents() {
        const QStringList before{u"00700"_s, u"09988"_s};
        const QList<std::tuple<QByteArray, QString, QStringList>> cases{
            {lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z", // new
                    "00700,1000,0,cash,2025-03-01T00:00:00.000Z",     // stored already
                    "01810,400,0,cash,2025-03-02T00:00:00Z",
                    "03690,not-a-number,0,cash,2025-03-03T00:00:00.000Z",
                    "02590,4000,0,cash,2025-03-05T05:06:07.890Z"}), // repeated
             u"导入完成: 已导入 2 条，跳过 3 条。"_s,
             {u"00700"_s, u"01810"_s, u"02590"_s, u"09988"_s}},
            {"code,sub_quantity\xff\xfe", u"导入失败: 无法读取 CSV 文件内容"_s, before},
            {QByteArray(), u"导入失败: CSV 表头格式无效"_s, before}};
        for (const auto &[contents, alert, codesAfter] : cases) {
            const auto store = storeWithTwo();
            const SettingsAlertMessage shown =
                SettingsBackup::importAlert(SettingsBackup::importContents(contents, *store));
            QCOMPARE(shown.title + u": "_s + shown.message, alert);
            QCOMPARE(storedCodes(*store), codesAfter);
        }
    }

    void importFileRefusesWhatIsNoBackup() {
        testsupport::TestFolder folder;
        const auto store = std::move(UserIPOStore::open({.inMemory = true}).value());
        const auto missing = SettingsBackup::importFile(folder.filePath("missing.csv"), *store);
        QVERIFY(missing.error().startsWith(u"无法读取文件 missing.csv："_s));
        // A folder and a device have no contents of a file to restore from.
        for (const QString &path : {folder.path(), u"/dev/null"_s})
            QCOMPARE(SettingsBackup::importFile(path, *store).error(), u"无法读取 CSV 文件内容"_s);

        // One byte past the limit a valid backup is refused; exactly at it, it is read.
        QFile big(folder.filePath(u"big.csv"_s));
        QByteArray contents = lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z"});
        contents.append(QByteArray(SettingsBackup::maximumImportBytes, '\n'));
        contents.resize(SettingsBackup::maximumImportBytes + 1);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write(contents) == contents.size());
        big.close();
        QCOMPARE(SettingsBackup::importFile(big.fileName(), *store).error(),
                 u"文件过大，不是 CSV 备份文件"_s);
        QVERIFY(store->fetchAllEntries().isEmpty());
        QVERIFY(big.resize(SettingsBackup::maximumImportBytes));
        QCOMPARE(SettingsBackup::importFile(big.fileName(), *store)->inserted, 1);
    }

    void exportThenImportIntoAFreshStore() {
        SettingsViewHarness source;
        QVERIFY(source.store->saveEntry(u"02590"_s, 2000, 500, SubMethod::margin));
        QVERIFY(source.store->saveEntry(u"00700"_s, 1000, 0, SubMethod::cash));
        QVERIFY(source.store->saveEntry(u"01810"_s, 400, 200, SubMethod::cash));
        const QString path = source.folder.filePath(u"orvel-backup.csv"_s);
        source.files.savePath = path;
        source.makeView().show();
        QTest::mouseClick(source.view->findChild<QWidget *>(u"ExportButton"_s), Qt::LeftButton);
        QVERIFY(QRegularExpression(u"^orvel-user-backup-\\d{8}\\.csv$"_s)
                    .match(source.files.suggestedNames.value(0))
                    .hasMatch());
        QCOMPARE(source.alerts.shown.value(0).title, u"导出成功"_s);
        QCOMPARE(readFile(path).count('\n'), 3);

        // A fresh store that already holds one of the codes, with the service listing two.
        SettingsViewHarness target;
        QVERIFY(target.store->saveEntry(u"00700"_s, 9999, 0, SubMethod::cash));
        target.listOnService({SettingsViewHarness::remoteIPO(u"02590"_s),
                              SettingsViewHarness::remoteIPO(u"00700"_s)});
        const int rebuildsBefore = target.rebuilds;
        target.files.openPath = path;
        target.makeView().show();
        QWidget *importButton = target.view->findChild<QWidget *>(u"ImportButton"_s);
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(target.alerts.shown.first().message, u"已导入 2 条，跳过 1 条。"_s);
        // The stored entry was not touched, and the restored one reached the published records.
        QCOMPARE(target.store->entriesByCode().value(u"00700"_s).subQuantity, 9999);
        QCOMPARE(target.rebuilds, rebuildsBefore + 1);
        const IPORecord restored = target.repository->records().first();
        QCOMPARE(restored.ipo.code, u"02590"_s);
        QCOMPARE(QList({restored.subQuantity, restored.winQuantity, qint64(restored.subMethod)}),
                 QList<qint64>({2000, 500, qint64(SubMethod::margin)}));
        // Each restored entry keeps the time it had when it was exported.
        QCOMPARE(target.store->entriesByCode().value(u"01810"_s).updatedAt,
                 source.store->entriesByCode().value(u"01810"_s).updatedAt);

        // The same file again adds nothing and says so; it still rebuilds, like every restore.
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(target.alerts.shown.last().message, u"已导入 0 条，跳过 3 条。"_s);
        QCOMPARE(target.rebuilds, rebuildsBefore + 2);
    }

    // The real dialogs: read what they offer while open, then cancel them.
    void fileDialogsOfferTheirTypes() {
        QStringList offered;
        QTimer reader;
        connect(&reader, &QTimer::timeout, this, [&offered] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<QFileDialog *>(window);
                if (dialog && dialog->isVisible()) {
                    offered = dialog->mimeTypeFilters();
                    dialog->reject();
                }
            }
        });
        reader.start(20);
        SettingsFileDialogs dialogs;
        QVERIFY(!dialogs.saveFileName(nullptr, u"backup.csv"_s));
        QCOMPARE(offered, QStringList{u"text/csv"_s});
        QVERIFY(!dialogs.openFileName(nullptr));
        QCOMPARE(offered, (QStringList{u"text/csv"_s, u"text/plain"_s}));
    }

    // A failed export says why and leaves no file behind; a cancelled dialog says nothing.
    void exportFailuresShowTheirDescription() {
        SettingsViewHarness harness;
        SettingsView &view = harness.makeView();
        view.exportBackup();
        harness.files.savePath = harness.folder.filePath(u"gone/backup.csv"_s);
        view.exportBackup();
        QCOMPARE(harness.alerts.shown.size(), 1);
        QVERIFY((harness.alerts.shown[0].title + harness.alerts.shown[0].message)
                    .startsWith(u"导出失败无法写入文件 backup.csv："_s));
        QVERIFY(!QFile::exists(*harness.files.savePath));
    }

    void calendarExport_data() {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("events");
        QTest::newRow("written") << true << true << u"导出成功"_s << 2;
        QTest::newRow("cancelled") << true << false << QString() << 0;
        // Nothing fetched yet: no dialog for a file without a single event.
        QTest::newRow("no dated IPO") << false << true << u"导出失败"_s << 0;
    }
    void calendarExport() {
        QFETCH(bool, listed);
        QFETCH(bool, picked);
        QFETCH(QString, title);
        QFETCH(int, events);
        SettingsViewHarness harness;
        if (listed)
            harness.listOnService({SettingsViewHarness::remoteIPO(u"02590"_s, u"2025-07-10"_s)});
        const QString path = harness.folder.filePath(u"ipo.ics"_s);
        if (picked)
            harness.files.savePath = path;
        harness.makeView().show();
        QTest::mouseClick(harness.view->findChild<QWidget *>(u"ExportCalendarButton"_s),
                          Qt::LeftButton);
        QCOMPARE(harness.files.suggestedNames.size(), listed ? 1 : 0);
        if (listed)
            QVERIFY(QRegularExpression(u"^orvel-calendar-\\d{4}-\\d{2}-\\d{2}\\.ics$"_s)
                        .match(harness.files.suggestedNames.first())
                        .hasMatch());
        QCOMPARE(harness.alerts.shown.size(), title.isEmpty() ? 0 : 1);
        QCOMPARE(harness.alerts.shown.value(0).title, title);
        QCOMPARE(readFile(path).count("BEGIN:VEVENT"), events);
    }
};

ORVEL_TEST_CLASS(SettingsBackupTest);

#include "SettingsBackupTest.moc"
