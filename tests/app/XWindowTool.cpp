// A small X client for the real-window tests:
//   xwindowtool close ID            asks window ID to close, as its close box does
//   xwindowtool capture ID FILE     writes the window's pixels as a binary PPM
//   xwindowtool size ID             prints the window's width and height
//   xwindowtool hash ID X Y W H     prints a hash of the pixels of a rectangle of the window
//   xwindowtool pixel ID X Y        prints one pixel as RRGGBB

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return 0;
}

int Capture(Display* display, Window window, const char* path) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return 1;
    FILE* out = std::fopen(path, "wb");
    if (!out) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>((p & image->red_mask) >> 16),
                                          static_cast<unsigned char>((p & image->green_mask) >> 8),
                                          static_cast<unsigned char>(p & image->blue_mask)};
            std::fwrite(rgb, 1, 3, out);
        }
    std::fclose(out);
    XDestroyImage(image);
    return 0;
}

// Calls visit(x, y, rgb) for every pixel of the rectangle; false when it cannot be read.
template <typename Visit>
bool ForEachPixel(Display* display, Window window, int left, int top, int width, int height, Visit visit) {
    XImage* image = XGetImage(display, window, left, top, width, height, AllPlanes, ZPixmap);
    if (!image) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            visit(x, y, ((p & image->red_mask) >> 16) << 16 | ((p & image->green_mask) >> 8) << 8 | (p & image->blue_mask));
        }
    XDestroyImage(image);
    return true;
}

int Hash(Display* display, Window window, char** rect) {
    unsigned long long hash = 1469598103934665603ull;  // FNV-1a
    const bool ok = ForEachPixel(display, window, std::atoi(rect[0]), std::atoi(rect[1]), std::atoi(rect[2]),
                                 std::atoi(rect[3]), [&](int, int, unsigned long rgb) {
                                     hash = (hash ^ rgb) * 1099511628211ull;
                                 });
    if (!ok) return 1;
    std::printf("%016llx\n", hash);
    return 0;
}

int Pixel(Display* display, Window window, char** point) {
    unsigned long value = 0;
    if (!ForEachPixel(display, window, std::atoi(point[0]), std::atoi(point[1]), 1, 1,
                      [&](int, int, unsigned long rgb) { value = rgb; }))
        return 1;
    std::printf("%06lx\n", value);
    return 0;
}

int Size(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    std::printf("%d %d\n", attributes.width, attributes.height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xwindowtool close|capture|size ID [FILE]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xwindowtool: no display\n");
        return 2;
    }
    const Window window = std::strtoul(argv[2], nullptr, 0);
    const std::string command = argv[1];
    int result = 2;
    if (command == "close") result = Close(display, window);
    if (command == "capture" && argc > 3) result = Capture(display, window, argv[3]);
    if (command == "size") result = Size(display, window);
    if (command == "hash" && argc > 6) result = Hash(display, window, argv + 3);
    if (command == "pixel" && argc > 4) result = Pixel(display, window, argv + 3);
    XCloseDisplay(display);
    return result;
}
