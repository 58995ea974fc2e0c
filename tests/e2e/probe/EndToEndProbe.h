#pragma once

#include <QObject>
#include <QSocketNotifier>

class OrvelApp;

// Built only into the end-to-end test executable: answers commands on standard input with
// "[E2E] ..." lines on standard output.
class EndToEndProbe : public QObject {
    Q_OBJECT
public:
    explicit EndToEndProbe(OrvelApp &app, QObject *parent = nullptr);

private:
    void readCommands();
    void handle(const QString &line);
    void reply(const QString &text);
    QString typeSale();
    QString resultsShown();

    OrvelApp &m_app;
    QSocketNotifier m_input;
    QByteArray m_buffer;
};
