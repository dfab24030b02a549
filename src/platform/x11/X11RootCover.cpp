#include "platform/x11/X11RootCover.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace quillaby::platform {
namespace {

// A window may go between the listing and the look at it: that is no error here.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

std::vector<Window> WindowList(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> windows;
    if (property == None) return windows;
    if (XGetWindowProperty(display, window, property, 0, 65536, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == XA_WINDOW && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data); // Xlib hands 32-bit items as longs
        windows.assign(ids, ids + count);
    }
    if (data) XFree(data);
    return windows;
}

std::vector<Window> Children(Display* display, Window window) {
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children)
        windows.assign(children, children + count);
    if (children) XFree(children);
    return windows;
}

bool HasType(Display* display, Window window, Atom typeProperty, Atom wanted) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, typeProperty, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
    }
    if (data) XFree(data);
    return found;
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

Window FindDesktopWindow(Display* display) {
    // Only looked up, never made: where nobody ever named the type, no window has it.
    const Atom typeProperty = XInternAtom(display, "_NET_WM_WINDOW_TYPE", True);
    const Atom desktop = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", True);
    if (typeProperty == None || desktop == None) return None;
    const Window root = DefaultRootWindow(display);
    // The window manager's list of its clients, and the root's children with theirs: a reparenting
    // manager puts the client inside a frame, and without a manager the client is a child of the root.
    std::vector<Window> candidates =
        WindowList(display, root, XInternAtom(display, "_NET_CLIENT_LIST", True));
    for (const Window child : Children(display, root)) {
        candidates.push_back(child);
        for (const Window grandchild : Children(display, child)) candidates.push_back(grandchild);
    }
    for (const Window window : candidates)
        if (HasType(display, window, typeProperty, desktop) && Viewable(display, window)) return window;
    return None;
}

} // namespace

RootCover LookAtRootCover() {
    RootCover cover;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return cover;
    cover.Display = true;
    int opcode = 0, event = 0, error = 0;
    cover.XWayland = XQueryExtension(display, "XWAYLAND", &opcode, &event, &error);
    const XErrorHandler previous = XSetErrorHandler(IgnoreError);
    if (!cover.XWayland) cover.DesktopWindow = FindDesktopWindow(display);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return cover;
}

} // namespace quillaby::platform
