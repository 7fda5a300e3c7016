// The adapter's one use of the window system beneath GLFW, apart from the
// rest: X11's headers define names (None, Bool, Status) that clash with
// ordinary code.
#include "lum/platform/GlfwWindow.h"

#include <GLFW/glfw3.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

// GLFW's native access as <GLFW/glfw3native.h> declares it; that header
// also wants the XRandR extension's headers, which nothing here uses.
extern "C" {
Display* glfwGetX11Display(void);
Window glfwGetX11Window(GLFWwindow* window);
}

namespace lum {

namespace {

const int trueColourDepth = 24;
const int bitsPerPixel = 32;
const unsigned long redMask = 0xFF0000;
const unsigned long greenMask = 0x00FF00;
const unsigned long blueMask = 0x0000FF;

bool isTrueColour(const XWindowAttributes& attributes) {
    const Visual* const visual = attributes.visual;
    return attributes.depth == trueColourDepth && visual != nullptr &&
           visual->red_mask == redMask && visual->green_mask == greenMask &&
           visual->blue_mask == blueMask;
}

// X rows go top down, each pixel blue, green, red and a pad byte in memory.
void copyRowsToX(int width, int height, const unsigned char* rgbRows, XImage& image) {
    for (int row = 0; row < height; ++row) {
        const unsigned char* rgb = rgbRows + static_cast<std::size_t>(height - 1 - row) * width * 3;
        unsigned char* x = reinterpret_cast<unsigned char*>(image.data) +
                           static_cast<std::size_t>(row) * image.bytes_per_line;
        for (int column = 0; column < width; ++column, rgb += 3, x += 4) {
            x[0] = rgb[2];
            x[1] = rgb[1];
            x[2] = rgb[0];
            x[3] = 0;
        }
    }
}

}  // namespace

bool GlfwWindow::putPicture(int width, int height, const unsigned char* rgbRows) {
    if (handle == nullptr) {
        return false;
    }
    int shownWidth = 0;
    int shownHeight = 0;
    glfwGetFramebufferSize(handle, &shownWidth, &shownHeight);
    Display* const display = glfwGetX11Display();
    const ::Window drawable = glfwGetX11Window(handle);
    XWindowAttributes attributes;
    if (shownWidth != width || shownHeight != height || display == nullptr ||
        XGetWindowAttributes(display, drawable, &attributes) == 0 || !isTrueColour(attributes)) {
        return false;
    }
    XImage* const image = XCreateImage(display, attributes.visual, trueColourDepth, ZPixmap, 0,
                                       nullptr, width, height, bitsPerPixel, 0);
    if (image == nullptr) {
        return false;
    }
    const std::unique_ptr<char[]> pixels(
        new char[static_cast<std::size_t>(image->bytes_per_line) * height]);
    image->data = pixels.get();
    const bool putsAsWritten =
        image->bits_per_pixel == bitsPerPixel && image->byte_order == LSBFirst;
    if (putsAsWritten) {
        copyRowsToX(width, height, rgbRows, *image);
        const GC context = XCreateGC(display, drawable, 0, nullptr);
        XPutImage(display, drawable, context, image, 0, 0, 0, 0, width, height);
        XFreeGC(display, context);
        XFlush(display);
    }
    // The pixels are ours to free, not XDestroyImage's.
    image->data = nullptr;
    XDestroyImage(image);
    return putsAsWritten;
}

}  // namespace lum
