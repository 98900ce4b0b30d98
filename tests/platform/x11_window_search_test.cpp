// The window search on a real X server: Xvfb, started for the test, with one
// top-level window of the class and title Outlook's main window has.

#include "platform/posix/x11_window_search.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace lexi::posix {
namespace {

// Xvfb on a display number of its own choosing, ended with the object.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        char buffer[16] = {};
        const ssize_t got = pid_ > 0 ? ::read(fds[0], buffer, sizeof buffer - 1) : 0;
        ::close(fds[0]);
        if (got > 0) {
            name_ = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
        }
    }
    ~VirtualDisplay() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

void setText(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property,
             std::string_view value) {
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(value.size()), value.data());
}

TEST(X11WindowSearchTest, FindsATopLevelWindowByClassAndExactTitle) {
    X11WindowSearch search;
    {
        testing::ScopedVariable none("DISPLAY", ":9999");
        EXPECT_FALSE(search.findWindow("mspim_wnd32", "Microsoft Outlook")) << "no display";
    }
    const VirtualDisplay display;
    if (display.name().empty()) {
        GTEST_SKIP() << "Xvfb cannot be started";
    }
    testing::ScopedVariable shown("DISPLAY", display.name());
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(x), 0);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_window_t window = xcb_generate_id(x);
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    setText(x, window, XCB_ATOM_WM_CLASS, std::string_view("outlook\0mspim_wnd32\0", 20));
    setText(x, window, XCB_ATOM_WM_NAME, "Microsoft Outlook");
    xcb_map_window(x, window);
    // A round trip: the server has done all of the above once it answers.
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const struct {
        const char* windowClass;
        const char* title;
        bool found;
    } cases[] = {
        {"mspim_wnd32", "Microsoft Outlook", true},
        {"MSPIM_WND32", "Microsoft Outlook", true},
        {"mspim_wnd32", "Indbakke - Microsoft Outlook", false},
        {"mspim_wnd32", "Microsoft", false},
        {"outlook", "Microsoft Outlook", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search.findWindow(c.windowClass, c.title), c.found)
            << c.windowClass << " / " << c.title;
    }
    xcb_disconnect(x);
}

} // namespace
} // namespace lexi::posix
