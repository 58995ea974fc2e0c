#include "TaskbarPresence.h"

#include <QDebug>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstring>

namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    free(reply);
    return atom;
}

xcb_connection_t *x11Connection() {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t *connection) {
    const xcb_setup_t *setup = xcb_get_setup(connection);
    return xcb_setup_roots_iterator(setup).data->root;
}

void setSkipTaskbar(QWidget &window, bool skip) {
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());

    if (window.isVisible()) {
        // A mapped window's state belongs to the window manager: ask it.
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = state;
        event.data.data32[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.data.data32[1] = skipTaskbar;
        event.data.data32[2] = skipPager;
        event.data.data32[3] = 1; // from a normal application
        xcb_send_event(connection, 0, rootOf(connection),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    } else if (skip) {
        const xcb_atom_t atoms[] = {skipTaskbar, skipPager};
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 2,
                            atoms);
    } else {
        // Qt writes its own states again when it maps the window.
        xcb_delete_property(connection, id, state);
    }
    xcb_flush(connection);
}

} // namespace

TaskbarPresence::TaskbarPresence(bool trayAvailable)
    : m_trayAvailable(trayAvailable) {}

void TaskbarPresence::setWindow(QWidget *window) {
    m_window = window;
    applyToWindow();
}

void TaskbarPresence::applyActivationPolicy(bool accessory) {
    if (accessory && !m_trayAvailable) {
        qInfo().noquote() << QStringLiteral("[Shell] No system tray: the main window keeps its "
                                            "taskbar entry so it stays reachable");
        accessory = false;
    }
    if (accessory == m_skip)
        return;
    m_skip = accessory;
    applyToWindow();
}

void TaskbarPresence::applyBeforeMapping() {
    if (m_window && m_skip)
        setSkipTaskbar(*m_window, true);
}

void TaskbarPresence::applyToWindow() {
    if (!m_window || QGuiApplication::platformName() != u"xcb")
        return;
    setSkipTaskbar(*m_window, m_skip);
}
