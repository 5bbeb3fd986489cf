// Test helper: waits for a top-level X11 window with the given title and asks it to close,
// as a window manager's close button does (WM_DELETE_WINDOW).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string WindowTitle(Display* display, Window window)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

// Depth-first search below `window`: Qt's top-levels may sit under a window manager's frame.
Window FindByTitle(Display* display, Window window, const std::string& title)
{
    if (WindowTitle(display, window) == title)
        return window;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = FindByTitle(display, children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

// The titles of all windows below `window`, for a report of what was there instead.
void CollectTitles(Display* display, Window window, std::string& titles)
{
    const std::string title = WindowTitle(display, window);
    if (!title.empty())
        titles += " \"" + title + "\"";
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            CollectTitles(display, children[i], titles);
        if (children)
            XFree(children);
    }
}

void AskToClose(Display* display, Window window)
{
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TITLE SECONDS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
        return 2;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(std::stoi(argv[2]));
    Window window = 0;
    while (!(window = FindByTitle(display, DefaultRootWindow(display), argv[1]))) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::string titles;
            CollectTitles(display, DefaultRootWindow(display), titles);
            std::fprintf(stderr, "%s: no window titled \"%s\"; windows there:%s\n", argv[0],
                         argv[1], titles.empty() ? " none" : titles.c_str());
            XCloseDisplay(display);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    AskToClose(display, window);
    XCloseDisplay(display);
    return 0;
}
