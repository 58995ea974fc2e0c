#pragma once

#include <QDBusVariant>
#include <QObject>

#include <optional>

// Follows the desktop's light or dark appearance while the application runs. Qt 6.4 has no
// colour-scheme API, so it asks the desktop portal (org.freedesktop.appearance color-scheme)
// and listens for its changes, and falls back to comparing the toolkit palette's window and text
// colours. Views repaint on appearanceChanged().
class AppearanceMonitor : public QObject {
    Q_OBJECT
public:
    static AppearanceMonitor &shared();

    bool isDark() const { return m_dark; }
    // Forces an appearance (screenshots, tests); std::nullopt follows the desktop again.
    void setOverride(std::optional<bool> dark);

signals:
    void appearanceChanged(bool dark);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void portalSettingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    explicit AppearanceMonitor(QObject *parent = nullptr);
    void readPortal();
    void reevaluate();

    std::optional<uint> m_portalScheme;
    std::optional<bool> m_override;
    bool m_dark = false;
};
