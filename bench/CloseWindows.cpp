#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

// Closes every shown top-level window of one process the way a window manager's close button
// does (a WM_DELETE_WINDOW message), so the whole-process figures can measure ORVEL with its
// main window closed on an X server that has no window manager.
//   orvel_bench_close_windows PID      exit status 0 when at least one window was asked

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2 || std::atol(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: %s PID\n", argv[0]);
        return 2;
    }
    const auto pid = static_cast<uint32_t>(std::atol(argv[1]));
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_atom_t wmPid = atom(connection, "_NET_WM_PID");
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection, "WM_DELETE_WINDOW");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    int asked = 0;
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    const xcb_window_t *children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
    const int count = tree ? xcb_query_tree_children_length(tree.get()) : 0;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t window = children[i];
        const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const Reply<xcb_get_property_reply_t> owner(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, wmPid, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!owner || xcb_get_property_value_length(owner.get()) != 4 ||
            *static_cast<const uint32_t *>(xcb_get_property_value(owner.get())) != pid)
            continue;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = deleteWindow;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&message));
        ++asked;
    }
    xcb_flush(connection);
    xcb_disconnect(connection);
    std::printf("asked %d window(s) to close\n", asked);
    return asked > 0 ? 0 : 1;
}
