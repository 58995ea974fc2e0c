#include "ApplicationActivation.h"

#include <QCoreApplication>

ApplicationActivation::ApplicationActivation(QObject *parent)
    : QObject(parent) {}

ApplicationActivation &ApplicationActivation::shared() {
    static ApplicationActivation *const instance = [] {
        auto *activation = new ApplicationActivation;
        activation->follow(QCoreApplication::instance());
        return activation;
    }();
    return *instance;
}

bool ApplicationActivation::follow(QObject *application) {
    // Looked up by name: the core library does not link the GUI module that declares the
    // signal, and a console run (orvel --list, tests) simply has none.
    if (!application || application->metaObject()->indexOfSignal(
                            "applicationStateChanged(Qt::ApplicationState)") < 0)
        return false;
    return static_cast<bool>(connect(application,
                                     SIGNAL(applicationStateChanged(Qt::ApplicationState)), this,
                                     SLOT(handleApplicationStateChanged(Qt::ApplicationState))));
}

void ApplicationActivation::notifyBecameActive() {
    emit becameActive();
}

void ApplicationActivation::handleApplicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive)
        emit becameActive();
}
