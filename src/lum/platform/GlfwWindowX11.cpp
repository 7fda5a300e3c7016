// The adapter's one use of the window system beneath GLFW, apart from the
// rest: X11's headers define names (None, Bool, Status) that clash with
// ordinary code.
#include "lum/platform/GlfwWindow.h"

#include <GLFW/glfw3.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
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
// The picture goes over in bands of this many rows through one small
// buffer: a buffer for the whole picture costs more in first touches of
// its memory than the copy itself.
const int bandRows = 32;

bool isTrueColour(const XWindowAttributes& attributes) {
    const Visual* const visual = attributes.visual;
    return attributes.depth == trueColourDepth && visual != nullptr &&
           visual->red_mask == redMask && visual->green_mask == greenMask &&
           visual->blue_mask == blueMask;
}

// X rows go top down, each pixel a 32-bit word 0x00RRGGBB (least
// significant byte first, as putPicture checks): `rows` rows from the top
// row `top` on go to the image's first rows.
void copyRowsToX(int width, int height, const unsigned char* rgbRows, int top, int rows,
                 XImage& image) {
    for (int row = 0; row < rows; ++row) {
        const unsigned char* rgb =
            rgbRows + static_cast<std::size_t>(height - 1 - top - row) * width * 3;
        char* x = image.data + static_cast<std::size_t>(row) * image.bytes_per_line;
        for (int column = 0; column < width; ++column, rgb += 3, x += 4) {
            const std::uint32_t pixel = (std::uint32_t{rgb[0]} << 16) | (rgb[1] << 8) | rgb[2];
            std::memcpy(x, &pixel, sizeof(pixel));
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
                                       nullptr, width, bandRows, bitsPerPixel, 0);
    if (image == nullptr) {
        return false;
    }
    const std::unique_ptr<char[]> pixels(
        new char[static_cast<std::size_t>(image->bytes_per_line) * bandRows]);
    image->data = pixels.get();
    const bool putsAsWritten =
        image->bits_per_pixel == bitsPerPixel && image->byte_order == LSBFirst;
    if (putsAsWritten) {
        // Put together off screen and copied over in one request, the
        // picture shows whole rather than band by band.
        const Pixmap offScreen = XCreatePixmap(display, drawable, width, height, trueColourDepth);
        const GC context = XCreateGC(display, offScreen, 0, nullptr);
        for (int top = 0; top < height; top += bandRows) {
            const int rows = std::min(bandRows, height - top);
            copyRowsToX(width, height, rgbRows, top, rows, *image);
            XPutImage(display, offScreen, context, image, 0, 0, 0, top, width, rows);
        }
        XCopyArea(display, offScreen, drawable, context, 0, 0, width, height, 0, 0);
        XFreeGC(display, context);
        XFreePixmap(display, offScreen);
        XFlush(display);
    }
    // The pixels are ours to free, not XDestroyImage's.
    image->data = nullptr;
    XDestroyImage(image);
    return putsAsWritten;
}

}  // namespace lum
