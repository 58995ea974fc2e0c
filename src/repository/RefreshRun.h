#pragma once

#include "RemoteRefreshSnapshot.h"

#include <QObject>

// One refresh run in flight. Callers that join the run hold it by shared pointer and await
// finished(), then read `result`: a coroutine's value can only be handed to one awaiter, so
// the shared outcome lives here instead.
class RefreshRun : public QObject {
    Q_OBJECT
public:
    RefreshExecutionResult result;
    bool isFinished = false;

signals:
    void finished();
};
