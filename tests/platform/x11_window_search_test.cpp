// The window search on a real X server (ctest runs it under Xvfb) with one
// top-level window of the class and title Outlook's main window has.

#include "platform/posix/x11/x11_window_search.h"
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace lexi::posix {
namespace {

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
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        xcb_disconnect(x);
        GTEST_SKIP() << "no X display; the test x11_window_search runs this under Xvfb";
    }
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
        {"mspim_wnd32", "Indbakke - Microsoft Outlook", false},
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
