#pragma once

#include <QObject>

#include <functional>

class QWidget;

// For start-up measurements: prints the milliseconds from process start to the first paint of
// a window, then quits (or, for the start-up trace, marks it and goes on). The process start is
// the kernel's, so loading libraries counts too.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    enum class Then { quit, carryOn };
    static void install(QWidget &window, Then then = Then::quit);
    // Runs `then` once, after the first paint of `window` has been handled; nothing when
    // `context` is gone by then.
    static void afterFirstPaint(QWidget &window, QObject *context, std::function<void()> then);
    static double processAgeMs();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstPaintProbe(std::function<void()> then, QObject *parent)
        : QObject(parent)
        , m_then(std::move(then)) {}
    std::function<void()> m_then;
    bool m_done = false;
};
