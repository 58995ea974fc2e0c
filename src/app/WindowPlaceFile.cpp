#include "WindowPlaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString group = QStringLiteral("mainWindow");
// Anything larger is no window size but a damaged file.
constexpr int largestSide = 100000;

std::optional<int> readInt(const QSettings &file, const QString &key) {
    bool ok = false;
    const int value = file.value(key).toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

WindowPlaceFile::WindowPlaceFile(QString filePath)
    : m_filePath(std::move(filePath)) {}

QString WindowPlaceFile::defaultFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("window-state.ini"));
}

std::optional<WindowPlaceFile::Place> WindowPlaceFile::load() const {
    if (m_filePath.isEmpty() || !QFile::exists(m_filePath))
        return std::nullopt;
    const QSettings file(m_filePath, QSettings::IniFormat);
    const auto x = readInt(file, group + QStringLiteral("/x"));
    const auto y = readInt(file, group + QStringLiteral("/y"));
    const auto width = readInt(file, group + QStringLiteral("/width"));
    const auto height = readInt(file, group + QStringLiteral("/height"));
    if (!x || !y || !width || !height || *width <= 0 || *height <= 0 || *width > largestSide ||
        *height > largestSide)
        return std::nullopt;
    return Place{QPoint(*x, *y), QSize(*width, *height),
                 file.value(group + QStringLiteral("/maximized")).toBool()};
}

bool WindowPlaceFile::save(const Place &place) {
    if (m_filePath.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSettings file(m_filePath, QSettings::IniFormat);
    file.setValue(group + QStringLiteral("/x"), place.position.x());
    file.setValue(group + QStringLiteral("/y"), place.position.y());
    file.setValue(group + QStringLiteral("/width"), place.size.width());
    file.setValue(group + QStringLiteral("/height"), place.size.height());
    file.setValue(group + QStringLiteral("/maximized"), place.maximized);
    file.sync();
    return file.status() == QSettings::NoError;
}
