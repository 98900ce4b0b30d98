#include "platform/posix/x11/x11_window_search.h"

#include "platform/text.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace lexi::posix {
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    bool usable() const { return xcb_connection_has_error(connection_) == 0; }

    std::vector<xcb_window_t> roots() const {
        std::vector<xcb_window_t> found;
        for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)); screen.rem;
             xcb_screen_next(&screen)) {
            found.push_back(screen.data->root);
        }
        return found;
    }

    std::vector<xcb_window_t> children(xcb_window_t window) const {
        const auto tree =
            owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
        if (!tree) {
            return {};
        }
        const xcb_window_t* first = xcb_query_tree_children(tree.get());
        return {first, first + xcb_query_tree_children_length(tree.get())};
    }

    xcb_atom_t atom(const char* name) const {
        const auto reply = owned(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 1, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // The bytes of a property of any type; nothing when the window lacks it.
    std::optional<std::string> property(xcb_window_t window, xcb_atom_t name) const {
        if (name == XCB_ATOM_NONE) {
            return std::nullopt;
        }
        const auto reply = owned(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
            nullptr));
        if (!reply || reply->type == XCB_ATOM_NONE) {
            return std::nullopt;
        }
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
        return std::string(bytes,
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

private:
    xcb_connection_t* connection_;
};

// WM_CLASS holds the instance name and the class name, each ended by NUL.
std::optional<std::string> classOf(const Display& display, xcb_window_t window) {
    const auto names = display.property(window, XCB_ATOM_WM_CLASS);
    if (!names) {
        return std::nullopt;
    }
    const std::size_t end = names->find('\0');
    if (end == std::string::npos) {
        return std::string();
    }
    const std::string rest = names->substr(end + 1);
    return rest.substr(0, rest.find('\0'));
}

} // namespace

bool X11WindowSearch::findWindow(std::string_view windowClass, std::string_view title) {
    const Display display;
    if (!display.usable()) {
        return false;
    }
    const xcb_atom_t netName = display.atom("_NET_WM_NAME");
    const auto matches = [&](xcb_window_t window) {
        const auto name = classOf(display, window);
        if (!name || !text::equalsIgnoreCase(*name, windowClass)) {
            return false;
        }
        if (title.empty()) {
            return true;
        }
        const auto shown = display.property(window, netName);
        return shown.value_or(display.property(window, XCB_ATOM_WM_NAME).value_or("")) == title;
    };
    for (const xcb_window_t root : display.roots()) {
        for (const xcb_window_t window : display.children(root)) {
            if (matches(window)) {
                return true;
            }
            // A frame of the window manager: the client is its child.
            if (!classOf(display, window)) {
                for (const xcb_window_t client : display.children(window)) {
                    if (matches(client)) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

} // namespace lexi::posix
