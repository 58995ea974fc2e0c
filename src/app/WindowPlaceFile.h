#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

// Where the user left the main window, in a small state file of its own next to the store. It
// is kept apart from the settings file on purpose: that file holds the user's choices and is
// written only when one changes, while the window's place changes whenever it is moved.
class WindowPlaceFile {
public:
    struct Place {
        // The frame's top left (meaningless on Wayland, where clients cannot place windows).
        QPoint position;
        QSize size;
        bool maximized = false;

        friend bool operator==(const Place &, const Place &) = default;
    };

    explicit WindowPlaceFile(QString filePath);
    // "<application data folder>/window-state.ini".
    static QString defaultFilePath();

    const QString &filePath() const { return m_filePath; }
    // Nothing when no usable place was saved (no file, or one that makes no sense).
    std::optional<Place> load() const;
    // False when the file could not be written; the window then opens centred next time.
    bool save(const Place &place);

private:
    QString m_filePath;
};
