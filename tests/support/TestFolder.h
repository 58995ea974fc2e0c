#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// A throwaway folder for one test, removed with the object, so settings and stores made in it
// never touch the user's own files.
class TestFolder {
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // An INI settings store of its own inside this folder.
    std::unique_ptr<QSettings> makeSettings(const QString &name = "settings.ini") const {
        return std::make_unique<QSettings>(filePath(name), QSettings::IniFormat);
    }

private:
    QTemporaryDir m_dir{QDir::tempPath() + "/orvel-test-XXXXXX"};
};

} // namespace testsupport
