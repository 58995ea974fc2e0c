#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the "[Analytics]" lines logged while it exists; every other message goes on to the
// handler that was installed before. One at a time.
class AnalyticsLogCapture {
public:
    AnalyticsLogCapture();
    ~AnalyticsLogCapture();
    AnalyticsLogCapture(const AnalyticsLogCapture &) = delete;
    AnalyticsLogCapture &operator=(const AnalyticsLogCapture &) = delete;

    QStringList lines() const { return m_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};
