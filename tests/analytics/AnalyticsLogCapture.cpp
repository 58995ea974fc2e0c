#include "AnalyticsLogCapture.h"

namespace {
AnalyticsLogCapture *current = nullptr;
}

AnalyticsLogCapture::AnalyticsLogCapture() {
    Q_ASSERT(!current);
    current = this;
    m_previous = qInstallMessageHandler(&AnalyticsLogCapture::handle);
}

AnalyticsLogCapture::~AnalyticsLogCapture() {
    qInstallMessageHandler(m_previous);
    current = nullptr;
}

void AnalyticsLogCapture::handle(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message) {
    if (current && message.startsWith(QLatin1String("[Analytics]"))) {
        current->m_lines.append(message);
        return;
    }
    if (current && current->m_previous)
        current->m_previous(type, context, message);
}
