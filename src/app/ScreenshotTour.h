#pragma once

#include "model/IPORecord.h"

#include <QCoroTask>
#include <QDir>
#include <QObject>

class MainWindowView;
class OrvelApp;

// Walks the running application through its windows once data has arrived and saves PNGs of
// the tray panel, the main window with a selected record and the settings sheet, in the light
// and the dark appearance; then quits. For machines without a display (`make run` under Xvfb)
// and for looking at changes.
class ScreenshotTour : public QObject {
    Q_OBJECT
public:
    ScreenshotTour(OrvelApp &app, QDir directory, QObject *parent = nullptr);

    // Starts the tour; the application quits when it is done.
    void start();

private:
    QCoro::Task<> run();
    QCoro::Task<bool> showTypedSale(MainWindowView &content);
    bool saveResultsSheet(const QList<IPORecord> &records, const QString &suffix);
    QCoro::Task<> settle(int milliseconds);
    bool save(QWidget &widget, const QString &name);

    OrvelApp &m_app;
    QDir m_directory;
    int m_failures = 0;
};
