#pragma once

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// A throwaway folder for one test, removed with the object. Settings and stores made through it
// never touch the user's own files.
class TestFolder {
public:
    TestFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // An INI settings store of its own inside this folder.
    std::unique_ptr<QSettings> makeSettings(const QString &name = QStringLiteral("settings.ini")) const;

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport
