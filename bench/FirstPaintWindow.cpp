#include "FirstPaintWindow.h"

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QWidget>

namespace FirstPaintWindow {

int run(int argc, char **argv, const char *title, const std::function<void(QWidget &)> &fill) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption firstPaint(
        QStringLiteral("quit-after-first-paint"),
        QStringLiteral("Print the milliseconds from process start to the first paint, then quit."));
    parser.addOption(firstPaint);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QString::fromUtf8(title));
    window.resize(860, 600);
    fill(window);
    if (parser.isSet(firstPaint))
        FirstPaintProbe::install(window);
    window.show();
    return app.exec();
}

} // namespace FirstPaintWindow
