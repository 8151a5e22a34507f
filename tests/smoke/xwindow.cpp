// Test helper for the smoke tests: finds a top-level X window by title, reports its size, asks it to close.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

Window findByTitle(Display* d, Window w, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool match = title == name;
        XFree(name);
        if (match) return w;
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) found = findByTitle(d, children[i], title);
    if (children) XFree(children);
    return found;
}

bool isViewable(Display* d, Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

int usage() {
    std::fprintf(stderr,
                 "usage: xwindow wait TITLE SECONDS   print WIDTHxHEIGHT once the window is mapped\n"
                 "       xwindow close TITLE          send it a WM_DELETE_WINDOW request\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
    const std::string title = argv[2];
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "xwindow: cannot open display\n");
        return 2;
    }
    int status = 1;
    if (command == "wait" && argc == 4) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(std::stod(argv[3]));
        while (std::chrono::steady_clock::now() < deadline) {
            const Window w = findByTitle(d, DefaultRootWindow(d), title);
            if (w && isViewable(d, w)) {
                XWindowAttributes a;
                XGetWindowAttributes(d, w, &a);
                std::printf("%dx%d\n", a.width, a.height);
                status = 0;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (status) std::fprintf(stderr, "xwindow: no window titled '%s'\n", title.c_str());
    } else if (command == "close") {
        const Window w = findByTitle(d, DefaultRootWindow(d), title);
        if (w) {
            // What a window manager sends when the user clicks the close button.
            XEvent e;
            std::memset(&e, 0, sizeof e);
            e.xclient.type = ClientMessage;
            e.xclient.window = w;
            e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
            e.xclient.format = 32;
            e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(d, w, False, NoEventMask, &e);
            XFlush(d);
            status = 0;
        } else {
            std::fprintf(stderr, "xwindow: no window titled '%s'\n", title.c_str());
        }
    } else {
        XCloseDisplay(d);
        return usage();
    }
    XCloseDisplay(d);
    return status;
}
