#include "TestFolder.h"

namespace testsupport {

TestFolder::TestFolder()
    : m_dir(QDir::tempPath() + QStringLiteral("/orvel-test-XXXXXX"))
{
}

std::unique_ptr<QSettings> TestFolder::makeSettings(const QString &name) const
{
    return std::make_unique<QSettings>(filePath(name), QSettings::IniFormat);
}

} // namespace testsupport
