#pragma once

#include <QObject>

// Announces that the application became the active one (one of its windows took the focus).
// The shared instance follows the running application's state; other instances are announced
// by hand, so that whatever observes activation can be driven without a window system.
class ApplicationActivation : public QObject {
    Q_OBJECT
public:
    explicit ApplicationActivation(QObject *parent = nullptr);

    // Follows QCoreApplication::instance() when it reports application states (a
    // QGuiApplication does; a plain QCoreApplication never becomes active). Created on first
    // use, which must come after the application object; never destroyed.
    static ApplicationActivation &shared();

    // Follows `application`'s applicationStateChanged signal, if it has one; false otherwise.
    bool follow(QObject *application);

    void notifyBecameActive();

signals:
    void becameActive();

private slots:
    void handleApplicationStateChanged(Qt::ApplicationState state);
};
