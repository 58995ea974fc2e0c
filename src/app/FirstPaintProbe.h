#pragma once

#include <QObject>

class QWidget;

// For start-up measurements: prints the milliseconds from process start to the first paint of
// a window, then quits. The process start is the kernel's, so loading libraries counts too.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    static void install(QWidget &window);
    static double processAgeMs();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    bool m_done = false;
};
