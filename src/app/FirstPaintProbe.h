#pragma once

#include <QObject>

class QWidget;

// For start-up measurements: prints the milliseconds from process start to the first paint of
// a window, then quits (or, for the start-up trace, marks it and goes on). The process start is
// the kernel's, so loading libraries counts too.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    enum class Then { quit, carryOn };
    static void install(QWidget &window, Then then = Then::quit);
    static double processAgeMs();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstPaintProbe(Then then, QObject *parent)
        : QObject(parent)
        , m_then(then) {}
    Then m_then;
    bool m_done = false;
};
