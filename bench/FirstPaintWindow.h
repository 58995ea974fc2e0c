#pragma once

#include <functional>

class QWidget;

// The floors of the whole-process figures share this: a Qt Widgets application whose one window,
// of the main window's default size, is filled by `fill`, then shown; with
// --quit-after-first-paint it prints its first paint with the application's own probe and quits.
namespace FirstPaintWindow {

int run(int argc, char **argv, const char *title, const std::function<void(QWidget &)> &fill);

} // namespace FirstPaintWindow
