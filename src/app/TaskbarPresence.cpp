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

// The atoms of the window's _NET_WM_STATE as it stands.
QList<xcb_atom_t> stateAtoms(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t state) {
    QList<xcb_atom_t> atoms;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (!reply)
        return atoms;
    if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto *data = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count; ++i)
            atoms.append(data[i]);
    }
    free(reply);
    return atoms;
}

// `mapped` says whether the window manager has the window now. Whether the widget is visible
// does not tell: a widget counts as visible in its show event, before its window is mapped.
void setSkipTaskbar(QWidget &window, bool skip, bool mapped) {
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());

    if (mapped) {
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
    } else {
        // Before mapping the property is the client's to write; the window manager drops it
        // when the window is withdrawn, so every mapping needs it written again. Qt adds its
        // own states to what it finds here when it maps the window.
        QList<xcb_atom_t> atoms = stateAtoms(connection, id, state);
        atoms.removeAll(skipTaskbar);
        atoms.removeAll(skipPager);
        if (skip)
            atoms << skipTaskbar << skipPager;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(atoms.size()), atoms.constData());
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
    if (m_window && m_skip && QGuiApplication::platformName() == u"xcb")
        setSkipTaskbar(*m_window, true, false);
}

void TaskbarPresence::applyToWindow() {
    if (!m_window || QGuiApplication::platformName() != u"xcb")
        return;
    // Outside its show event a visible widget's window is mapped, a hidden one's is not.
    setSkipTaskbar(*m_window, m_skip, m_window->isVisible());
}
