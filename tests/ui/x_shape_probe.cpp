// Test-only X client: prints the bounding shape of a window as the X server
// keeps it, "rects N extent X Y W H", so a test can see that the window is not
// a plain rectangle.
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "no Shape extension\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    int count = 0;
    int ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    int left = 1 << 30, top = 1 << 30, right = -(1 << 30), bottom = -(1 << 30);
    for (int i = 0; i < count; ++i) {
        left = std::min<int>(left, rects[i].x);
        top = std::min<int>(top, rects[i].y);
        right = std::max<int>(right, rects[i].x + rects[i].width);
        bottom = std::max<int>(bottom, rects[i].y + rects[i].height);
    }
    if (count == 0)
        left = top = right = bottom = 0;
    std::printf("rects %d extent %d %d %d %d\n", count, left, top, right - left, bottom - top);
    if (rects)
        XFree(rects);
    XCloseDisplay(display);
    return 0;
}
