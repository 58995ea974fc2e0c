#include "SettingsFileDialogs.h"

#include "store/UserIPOBackupDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>

namespace {

QString startFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

// Runs the dialog and deletes it. It lives on the heap under a guard: if its parent goes away
// while the dialog is open (the application quitting from the tray), the parent takes the
// dialog with it, and a dialog on the stack would then be deleted twice.
std::optional<QString> chosenFile(QFileDialog *dialog) {
    const QPointer<QFileDialog> guard(dialog);
    const int answer = dialog->exec();
    if (!guard)
        return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    delete dialog;
    if (answer != QDialog::Accepted || files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first();
}

} // namespace

std::optional<QString> SettingsFileDialogs::saveFileName(QWidget *parent,
                                                         const QString &suggestedName) {
    auto *dialog = new QFileDialog(
        parent, QCoreApplication::translate("SettingsFileDialogs", "导出 CSV"), startFolder());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Saving offers CSV alone: a backup saved under a plain-text filter would still be CSV.
    dialog->setMimeTypeFilters({UserIPOBackupDocument::writtenContentType()});
    // A name typed without an extension still ends up as a .csv file.
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(suggestedName);
    return chosenFile(dialog);
}

std::optional<QString> SettingsFileDialogs::openFileName(QWidget *parent) {
    auto *dialog = new QFileDialog(
        parent, QCoreApplication::translate("SettingsFileDialogs", "导入 CSV"), startFolder());
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setMimeTypeFilters(UserIPOBackupDocument::contentTypes());
    return chosenFile(dialog);
}

std::optional<QString> SettingsFileDialogs::saveCalendarFileName(QWidget *parent,
                                                                 const QString &suggestedName) {
    auto *dialog = new QFileDialog(
        parent, QCoreApplication::translate("SettingsFileDialogs", "导出日历"), startFolder());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // By name rather than by MIME type: it must not depend on the desktop's MIME database.
    //: the save dialog's file type; the pattern in brackets stays as it is
    dialog->setNameFilter(QCoreApplication::translate("SettingsFileDialogs", "iCalendar (*.ics)"));
    dialog->setDefaultSuffix(QStringLiteral("ics"));
    dialog->selectFile(suggestedName);
    return chosenFile(dialog);
}
