#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

// Keeps one running application per user. The first launch takes a lock file and listens on a
// local socket; a later launch finds the lock taken, asks the running instance to reopen its
// main window over the socket, and then exits. A lock left behind by a crashed instance is
// recognised by its process id and taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        primary,   // this process runs the application
        secondary, // another instance runs it and has been asked to reopen
        failed,    // neither: the lock is held but the running instance does not answer
    };

    // `directory` holds the lock and the socket; by default the user's runtime folder.
    explicit SingleInstance(QString directory = {}, QObject *parent = nullptr);
    ~SingleInstance() override;

    Role claim();
    QString errorString() const { return m_error; }
    QString socketPath() const;

signals:
    // A later launch asked this (primary) instance to show itself.
    void reopenRequested();

private:
    bool listen();
    bool askRunningInstanceToReopen();
    void handleConnection();

    QString m_directory;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    QString m_error;
};
