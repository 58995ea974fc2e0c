#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "store/UserIPOBackupCSV.h"
#include "ui/settings/SettingsBackup.h"
#include "ui/settings/SettingsButton.h"
#include "ui/settings/SettingsFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

const QString header = QStringLiteral("code,sub_quantity,win_quantity,sub_method,updated_at");

QByteArray lines(const QStringList &rows) {
    return (QStringList{header} + rows).join(u'\n').toUtf8();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList storedCodes(const UserIPOStore &store) {
    QStringList codes;
    for (const UserIPOEntry &entry : store.fetchAllEntries())
        codes.append(entry.code);
    codes.sort();
    return codes;
}

} // namespace

// CSV backup and restore from the settings sheet: the file written, the counts reported, the
// alerts, and that a restore reaches the published records.
class SettingsBackupTest : public QObject {
    Q_OBJECT

private slots:
    void importContents_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("error"); // empty: the import succeeds
        QTest::addColumn<int>("inserted");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<int>("rejected");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("codesAfter");

        // The store holds 00700 and 09988 before each row.
        const QStringList before = {QStringLiteral("00700"), QStringLiteral("09988")};
        QTest::newRow("three new, two stored, one rejected")
            << lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z",
                      "00700,1000,0,cash,2025-03-01T00:00:00.000Z",
                      "01810,400,0,cash,2025-03-02T00:00:00Z",
                      "09988,100,100,cash,2025-03-03T00:00:00.000Z",
                      "03690,not-a-number,0,cash,2025-03-03T00:00:00.000Z",
                      "06618,800,200,Margin ,2025-03-05T08:00:00.000Z"})
            << QString() << 3 << 2 << 1 << QStringLiteral("已导入 3 条，跳过 3 条。")
            << QStringList{"00700", "01810", "02590", "06618", "09988"};
        QTest::newRow("header only") << lines({}) << QString() << 0 << 0 << 0
                                     << QStringLiteral("已导入 0 条，跳过 0 条。") << before;
        QTest::newRow("same new code twice")
            << lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z",
                      "02590,4000,0,cash,2025-03-05T05:06:07.890Z"})
            << QString() << 1 << 1 << 0 << QStringLiteral("已导入 1 条，跳过 1 条。")
            << QStringList{"00700", "02590", "09988"};
        QTest::newRow("carriage returns")
            << QByteArray(lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z"}))
                   .replace('\n', "\r\n")
            << QString() << 1 << 0 << 0 << QStringLiteral("已导入 1 条，跳过 0 条。")
            << QStringList{"00700", "02590", "09988"};
        QTest::newRow("wrong header")
            << QByteArray("CODE,SUB_QUANTITY,WIN_QUANTITY,SUB_METHOD,UPDATED_AT\n"
                          "02590,2000,500,margin,2025-03-04T05:06:07.890Z")
            << QStringLiteral("CSV 表头格式无效") << 0 << 0 << 0 << QString() << before;
        QTest::newRow("not UTF-8")
            << QByteArray("code,sub_quantity\xff\xfe") << QStringLiteral("无法读取 CSV 文件内容")
            << 0 << 0 << 0 << QString() << before;
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("CSV 表头格式无效") << 0 << 0
                                    << 0 << QString() << before;
    }
    void importContents() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, error);
        QFETCH(int, inserted);
        QFETCH(int, skipped);
        QFETCH(int, rejected);
        QFETCH(QString, summary);
        QFETCH(QStringList, codesAfter);

        auto opened = UserIPOStore::open({.inMemory = true});
        QVERIFY(opened);
        UserIPOStore &store = *opened.value();
        QVERIFY(store.saveEntry(QStringLiteral("00700"), 500, 0, SubMethod::cash));
        QVERIFY(store.saveEntry(QStringLiteral("09988"), 300, 100, SubMethod::margin));

        const SettingsBackup::ImportResult result = SettingsBackup::importContents(contents, store);
        QCOMPARE(storedCodes(store), codesAfter);
        const SettingsAlertMessage alert = SettingsBackup::importAlert(result);
        if (!error.isEmpty()) {
            QVERIFY(!result);
            QCOMPARE(result.error(), error);
            QCOMPARE(alert.title, QStringLiteral("导入失败"));
            QCOMPARE(alert.message, error);
            return;
        }
        QVERIFY2(result, result ? "" : qPrintable(result.error()));
        QCOMPARE(result->inserted, inserted);
        QCOMPARE(result->skipped, skipped);
        QCOMPARE(result->rejected, rejected);
        QCOMPARE(SettingsBackup::importSummaryText(*result), summary);
        QCOMPARE(alert.title, QStringLiteral("导入完成"));
        QCOMPARE(alert.message, summary);
    }

    void importFileRefusesWhatIsNoBackup() {
        testsupport::TestFolder folder;
        auto opened = UserIPOStore::open({.inMemory = true});
        QVERIFY(opened);
        UserIPOStore &store = *opened.value();

        const auto missing = SettingsBackup::importFile(folder.filePath("missing.csv"), store);
        QVERIFY(!missing);
        QVERIFY(missing.error().startsWith(QStringLiteral("无法读取文件 missing.csv：")));
        // A folder and a device have no contents of a file to restore from.
        for (const QString &path : {folder.path(), QStringLiteral("/dev/null")}) {
            const auto unreadable = SettingsBackup::importFile(path, store);
            QVERIFY(!unreadable);
            QCOMPARE(unreadable.error(), QStringLiteral("无法读取 CSV 文件内容"));
        }

        // Past the limit, a valid backup is still refused, and nothing is restored from it.
        const QString big = folder.filePath(QStringLiteral("big.csv"));
        QByteArray contents = lines({"02590,2000,500,margin,2025-03-04T05:06:07.890Z"});
        contents.append(QByteArray(SettingsBackup::maximumImportBytes, '\n'));
        QVERIFY(writeFile(big, contents));
        const auto tooBig = SettingsBackup::importFile(big, store);
        QVERIFY(!tooBig);
        QCOMPARE(tooBig.error(), QStringLiteral("文件过大，不是 CSV 备份文件"));
        QVERIFY(store.fetchAllEntries().isEmpty());

        // Exactly at the limit it is still read.
        contents.resize(SettingsBackup::maximumImportBytes);
        QVERIFY(writeFile(big, contents));
        const auto fits = SettingsBackup::importFile(big, store);
        QVERIFY2(fits, fits ? "" : qPrintable(fits.error()));
        QCOMPARE(fits->inserted, 1);
    }

    void writeDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("existingFile");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("new file") << QStringLiteral("backup.csv") << false << true;
        QTest::newRow("replaces a longer file") << QStringLiteral("backup.csv") << true << true;
        QTest::newRow("missing folder")
            << QStringLiteral("no-such-folder/backup.csv") << false << false;
    }
    void writeDocument() {
        QFETCH(QString, name);
        QFETCH(bool, existingFile);
        QFETCH(bool, succeeds);
        testsupport::TestFolder folder;
        const QString path = folder.filePath(name);
        if (existingFile)
            QVERIFY(writeFile(path, QByteArray(4096, 'x')));
        UserIPOBackupRow row{QStringLiteral("02590"), 2000, 500, SubMethod::margin,
                             QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7, 890), Qt::UTC)};
        const UserIPOBackupDocument document = UserIPOBackupDocument::fromRows({row});

        const SettingsBackup::WriteResult result = SettingsBackup::writeDocument(document, path);
        QCOMPARE(result.hasValue(), succeeds);
        const SettingsAlertMessage alert = SettingsBackup::exportAlert(result);
        if (!succeeds) {
            QVERIFY(result.error().startsWith(QStringLiteral("无法写入文件 backup.csv：")));
            QCOMPARE(alert.title, QStringLiteral("导出失败"));
            QCOMPARE(alert.message, result.error());
            QVERIFY(!QFile::exists(path));
            return;
        }
        QCOMPARE(readFile(path), QByteArray("code,sub_quantity,win_quantity,sub_method,updated_at\n"
                                            "02590,2000,500,margin,2025-03-04T05:06:07.890Z"));
        QCOMPARE(alert.title, QStringLiteral("导出成功"));
        QCOMPARE(alert.message, QStringLiteral("用户申购与中签数据已导出为 CSV 文件。"));
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
    }

    void suggestedFileName() {
        testsupport::ManualClock clock(QDateTime(QDate(2025, 7, 9), QTime(12, 0)));
        QCOMPARE(SettingsBackup::suggestedFileName(clock.clock()),
                 QStringLiteral("orvel-user-backup-20250709.csv"));
    }

    void exportThenImportIntoAFreshStore() {
        SettingsViewHarness source;
        QVERIFY(source.isValid());
        QVERIFY(source.store->saveEntry(QStringLiteral("02590"), 2000, 500, SubMethod::margin));
        QVERIFY(source.store->saveEntry(QStringLiteral("00700"), 1000, 0, SubMethod::cash));
        QVERIFY(source.store->saveEntry(QStringLiteral("01810"), 400, 200, SubMethod::cash));
        const QString path = source.folder.filePath(QStringLiteral("orvel-backup.csv"));
        source.files.savePath = path;
        SettingsView &exporter = source.makeView();
        exporter.show();
        QCOMPARE(exporter.exportDocument().csvText, header);

        auto *exportButton = exporter.findChild<SettingsButton *>(QStringLiteral("ExportButton"));
        QVERIFY(exportButton);
        QCOMPARE(exportButton->text(), QStringLiteral("导出 CSV"));
        QCOMPARE(exportButton->symbolName(), QStringLiteral("square.and.arrow.up"));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY(!exporter.isExportingBackup());
        QCOMPARE(source.files.suggestedNames.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^orvel-user-backup-\\d{8}\\.csv$"))
                    .match(source.files.suggestedNames.first())
                    .hasMatch());
        QCOMPARE(source.alerts.shown.size(), 1);
        QCOMPARE(source.alerts.shown.first().title, QStringLiteral("导出成功"));
        QCOMPARE(source.alerts.shown.first().message,
                 QStringLiteral("用户申购与中签数据已导出为 CSV 文件。"));
        const QByteArray written = readFile(path);
        QCOMPARE(written, exporter.exportDocument().write());
        QCOMPARE(written.count('\n'), 3);

        // A fresh store that already holds one of the codes, with the service listing two.
        SettingsViewHarness target;
        QVERIFY(target.isValid());
        QVERIFY(target.store->saveEntry(QStringLiteral("00700"), 9999, 0, SubMethod::cash));
        target.listOnService({SettingsViewHarness::remoteIPO(QStringLiteral("02590")),
                              SettingsViewHarness::remoteIPO(QStringLiteral("00700"))});
        QCOMPARE(target.repository->records().first().subQuantity, 0);
        const int rebuildsBefore = target.rebuilds;
        target.files.openPath = path;
        SettingsView &importer = target.makeView();
        importer.show();
        auto *importButton = importer.findChild<SettingsButton *>(QStringLiteral("ImportButton"));
        QVERIFY(importButton);
        QCOMPARE(importButton->text(), QStringLiteral("导入 CSV"));
        QCOMPARE(importButton->symbolName(), QStringLiteral("square.and.arrow.down"));
        QTest::mouseClick(importButton, Qt::LeftButton);
        QVERIFY(!importer.isImportingBackup());

        QCOMPARE(target.alerts.shown.size(), 1);
        QCOMPARE(target.alerts.shown.first().title, QStringLiteral("导入完成"));
        QCOMPARE(target.alerts.shown.first().message, QStringLiteral("已导入 2 条，跳过 1 条。"));
        QCOMPARE(storedCodes(*target.store),
                 (QStringList{QStringLiteral("00700"), QStringLiteral("01810"),
                              QStringLiteral("02590")}));
        // The stored entry was not touched, and the restored one reached the published records.
        QCOMPARE(target.store->entriesByCode().value(QStringLiteral("00700")).subQuantity, 9999);
        QCOMPARE(target.rebuilds, rebuildsBefore + 1);
        const IPORecord restored = target.repository->records().first();
        QCOMPARE(restored.ipo.code, QStringLiteral("02590"));
        QCOMPARE(restored.subQuantity, 2000);
        QCOMPARE(restored.winQuantity, 500);
        QCOMPARE(restored.subMethod, SubMethod::margin);
        // Each restored entry keeps the time it had when it was exported.
        QCOMPARE(target.store->entriesByCode().value(QStringLiteral("01810")).updatedAt,
                 source.store->entriesByCode().value(QStringLiteral("01810")).updatedAt);

        // The same file again adds nothing and says so; it still rebuilds, like every restore.
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(target.alerts.shown.last().message, QStringLiteral("已导入 0 条，跳过 3 条。"));
        QCOMPARE(target.rebuilds, rebuildsBefore + 2);
    }

    void cancelledDialogsSayNothing() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        QVERIFY(harness.store->saveEntry(QStringLiteral("02590"), 2000, 500, SubMethod::margin));
        SettingsView &view = harness.makeView();
        view.show();
        view.exportBackup();
        view.importBackup();
        QCOMPARE(harness.files.suggestedNames.size(), 1);
        QCOMPARE(harness.files.openDialogs, 1);
        QVERIFY(harness.alerts.shown.isEmpty());
        QVERIFY(!view.alertMessage());
        QVERIFY(!view.isExportingBackup());
        QVERIFY(!view.isImportingBackup());
        // The document that would have been saved holds the stored entry.
        QVERIFY(view.exportDocument().csvText.contains(QStringLiteral("02590,2000,500,margin,")));
        QVERIFY(QDir(harness.folder.path())
                    .entryList({QStringLiteral("*.csv")}, QDir::Files)
                    .isEmpty());
    }

    void fileDialogsOfferTheirTypes_data() {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QStringList>("types");
        QTest::newRow("export: CSV only") << true << QStringList{"text/csv"};
        QTest::newRow("import: CSV, then plain text")
            << false << QStringList{"text/csv", "text/plain"};
    }
    void fileDialogsOfferTheirTypes() {
        QFETCH(bool, saving);
        QFETCH(QStringList, types);
        // The real dialog: read what it offers while it is open, then cancel it.
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
        const std::optional<QString> picked =
            saving ? dialogs.saveFileName(nullptr, "backup.csv") : dialogs.openFileName(nullptr);
        QVERIFY(!picked);
        QCOMPARE(offered, types);
    }

    void failuresShowTheirDescription_data() {
        QTest::addColumn<bool>("exporting");
        QTest::addColumn<QByteArray>("fileContents"); // the picked file's, when importing
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message"); // the start of it
        QTest::newRow("export into a missing folder")
            << true << QByteArray() << QStringLiteral("导出失败")
            << QStringLiteral("无法写入文件 backup.csv：");
        QTest::newRow("import with a wrong header")
            << false << QByteArray("code;sub_quantity;win_quantity;sub_method;updated_at\n")
            << QStringLiteral("导入失败") << QStringLiteral("CSV 表头格式无效");
        QTest::newRow("import of a file that is no text")
            << false << QByteArray("\x89PNG\r\n\x1a\n\xff\xfe\x00") << QStringLiteral("导入失败")
            << QStringLiteral("无法读取 CSV 文件内容");
    }
    void failuresShowTheirDescription() {
        QFETCH(bool, exporting);
        QFETCH(QByteArray, fileContents);
        QFETCH(QString, title);
        QFETCH(QString, message);
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        QVERIFY(harness.store->saveEntry(QStringLiteral("00700"), 1000, 0, SubMethod::cash));
        const int rebuildsBefore = harness.rebuilds;
        if (exporting) {
            harness.files.savePath = harness.folder.filePath(QStringLiteral("gone/backup.csv"));
        } else {
            harness.files.openPath = harness.folder.filePath(QStringLiteral("picked.csv"));
            QVERIFY(writeFile(*harness.files.openPath, fileContents));
        }
        SettingsView &view = harness.makeView();
        view.show();
        QTest::mouseClick(view.findChild<QWidget *>(exporting ? QStringLiteral("ExportButton")
                                                              : QStringLiteral("ImportButton")),
                          Qt::LeftButton);
        QCOMPARE(harness.alerts.shown.size(), 1);
        QCOMPARE(harness.alerts.shown.first().title, title);
        QVERIFY2(harness.alerts.shown.first().message.startsWith(message),
                 qPrintable(harness.alerts.shown.first().message));
        QCOMPARE(storedCodes(*harness.store), QStringList{QStringLiteral("00700")});
        QCOMPARE(harness.rebuilds, rebuildsBefore);
    }

    void calendarExport_data() {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("events");
        QTest::newRow("written") << true << true << QStringLiteral("导出成功") << 2;
        QTest::newRow("cancelled") << true << false << QString() << 0;
        // Nothing fetched yet: no dialog for a file without a single event.
        QTest::newRow("no dated IPO") << false << true << QStringLiteral("导出失败") << 0;
    }
    void calendarExport() {
        QFETCH(bool, listed);
        QFETCH(bool, picked);
        QFETCH(QString, title);
        QFETCH(int, events);
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        if (listed)
            harness.listOnService({SettingsViewHarness::remoteIPO(QStringLiteral("02590"),
                                                                  QStringLiteral("2025-07-10"))});
        const QString path = harness.folder.filePath(QStringLiteral("ipo.ics"));
        if (picked)
            harness.files.savePath = path;
        SettingsView &view = harness.makeView();
        view.show();
        auto *button = view.findChild<SettingsButton *>(QStringLiteral("ExportCalendarButton"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);

        QVERIFY(!view.isExportingBackup());
        QCOMPARE(harness.files.suggestedNames.size(), listed ? 1 : 0);
        if (listed)
            QVERIFY(
                QRegularExpression(QStringLiteral("^orvel-calendar-\\d{4}-\\d{2}-\\d{2}\\.ics$"))
                    .match(harness.files.suggestedNames.first())
                    .hasMatch());
        QCOMPARE(harness.alerts.shown.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty())
            QCOMPARE(harness.alerts.shown.first().title, title);
        QCOMPARE(readFile(path).count("BEGIN:VEVENT"), events);
    }

    void dismissingAnOlderAlertKeepsTheNewerOne() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        harness.files.savePath = harness.folder.filePath(QStringLiteral("one.csv"));
        view.exportBackup();
        harness.files.savePath = harness.folder.filePath(QStringLiteral("missing/two.csv"));
        view.exportBackup();
        QCOMPARE(harness.alerts.shown.size(), 2);
        QCOMPARE(view.alertMessage(), std::optional(harness.alerts.shown.last()));
        harness.alerts.dismissers.first()();
        QCOMPARE(view.alertMessage(), std::optional(harness.alerts.shown.last()));
        harness.alerts.dismissLast();
        QVERIFY(!view.alertMessage());
    }
};

ORVEL_TEST_CLASS(SettingsBackupTest);

#include "SettingsBackupTest.moc"
