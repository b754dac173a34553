/*
 * Reads colours off the X screen, so that a test knows what is on the
 * display without asking the program under test.
 *
 *   x_pixel X Y                        the pixel's colour as RRGGBB
 *   x_pixel count RRGGBB X Y W H       how many pixels of the rectangle have that colour
 *   x_pixel edge RRGGBB X Y DX DY      steps from X,Y by DX,DY to the first pixel of that
 *                                      colour and prints how many steps it took
 *
 * Everything is read in one image of the root window of a TrueColor screen
 * (as Xvfb's depth 24 is). Exit status 1 when the display or the image cannot
 * be had, or when `edge` leaves the screen first.
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static Display* display;
static XImage* image;

/* One channel of a TrueColor pixel, scaled to 8 bits. */
static unsigned long channel(unsigned long pixel, unsigned long mask) {
    unsigned long value, top;
    if (mask == 0)
        return 0;
    while ((mask & 1) == 0) {
        mask >>= 1;
        pixel >>= 1;
    }
    value = pixel & mask;
    top = mask;
    return value * 255 / top;
}

/* The pixel at x, y of the screen image as 0xRRGGBB. */
static unsigned long colour_at(int x, int y) {
    unsigned long pixel = XGetPixel(image, x, y);
    return channel(pixel, image->red_mask) << 16 | channel(pixel, image->green_mask) << 8 |
           channel(pixel, image->blue_mask);
}

static int inside(int x, int y) {
    return x >= 0 && y >= 0 && x < image->width && y < image->height;
}

static int usage(void) {
    fputs("usage: x_pixel X Y\n"
          "       x_pixel count RRGGBB X Y W H\n"
          "       x_pixel edge RRGGBB X Y DX DY\n",
          stderr);
    return 2;
}

static int count(unsigned long wanted, int x, int y, int w, int h) {
    long found = 0;
    int i, j;
    for (j = y; j < y + h; ++j)
        for (i = x; i < x + w; ++i)
            if (inside(i, j) && colour_at(i, j) == wanted)
                ++found;
    printf("%ld\n", found);
    return 0;
}

static int edge(unsigned long wanted, int x, int y, int dx, int dy) {
    int steps = 0;
    if (dx == 0 && dy == 0)
        return usage();
    for (; inside(x, y); x += dx, y += dy, ++steps) {
        if (colour_at(x, y) == wanted) {
            printf("%d\n", steps);
            return 0;
        }
    }
    fputs("x_pixel: no pixel of that colour before the screen's edge\n", stderr);
    return 1;
}

int main(int argc, char** argv) {
    Window root;
    XWindowAttributes attributes;
    int rc;

    if (argc != 3 && argc != 7)
        return usage();
    if (argc == 7 && strcmp(argv[1], "count") != 0 && strcmp(argv[1], "edge") != 0)
        return usage();
    display = XOpenDisplay(NULL);
    if (display == NULL) {
        fputs("x_pixel: cannot open the display\n", stderr);
        return 1;
    }
    root = DefaultRootWindow(display);
    XGetWindowAttributes(display, root, &attributes);
    image = XGetImage(display, root, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height,
                      AllPlanes, ZPixmap);
    if (image == NULL) {
        fputs("x_pixel: cannot read the screen\n", stderr);
        XCloseDisplay(display);
        return 1;
    }
    if (argc == 3) {
        int x = atoi(argv[1]), y = atoi(argv[2]);
        if (!inside(x, y)) {
            fprintf(stderr, "x_pixel: %d,%d is off the screen\n", x, y);
            rc = 1;
        } else {
            printf("%06lX\n", colour_at(x, y));
            rc = 0;
        }
    } else {
        unsigned long wanted = strtoul(argv[2], NULL, 16);
        int a = atoi(argv[3]), b = atoi(argv[4]), c = atoi(argv[5]), d = atoi(argv[6]);
        rc = argv[1][0] == 'c' ? count(wanted, a, b, c, d) : edge(wanted, a, b, c, d);
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return rc;
}
