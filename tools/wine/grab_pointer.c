/*
 * Holds an active pointer grab on the root window of $DISPLAY.
 *
 *   grab_pointer SECONDS
 *
 * Warping the pointer makes the X server send motion events back to Wine,
 * which can arrive after a later SetCursorPos/SendInput and move the Wine
 * cursor back. While this client owns the grab with an empty event mask,
 * those events go nowhere and the Wine pointer follows injected input alone.
 *
 * Prints "grabbed" once the grab is active, then holds it until SIGTERM or
 * SIGINT, or until SECONDS have passed.
 */
#include <X11/Xlib.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { MAX_SECONDS = 24 * 3600, GRAB_ATTEMPTS = 50 };

static volatile sig_atomic_t stop_requested;

static void on_signal(int sig) {
    (void)sig;
    stop_requested = 1;
}

static double now_seconds(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

static const char* grab_status_name(int status) {
    switch (status) {
    case AlreadyGrabbed:
        return "AlreadyGrabbed";
    case GrabInvalidTime:
        return "GrabInvalidTime";
    case GrabNotViewable:
        return "GrabNotViewable";
    case GrabFrozen:
        return "GrabFrozen";
    default:
        return "unknown";
    }
}

int main(int argc, char** argv) {
    struct sigaction sa;
    Display* display;
    Window root;
    char* end = NULL;
    long seconds;
    double deadline;
    int status = AlreadyGrabbed;
    int attempt;

    if (argc != 2) {
        fprintf(stderr, "usage: %s SECONDS\n", argv[0]);
        return 2;
    }
    seconds = strtol(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0' || seconds <= 0 || seconds > MAX_SECONDS) {
        fprintf(stderr, "grab_pointer: SECONDS must be 1..%d, got '%s'\n", MAX_SECONDS, argv[1]);
        return 2;
    }

    memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, NULL);
    sigaction(SIGINT, &sa, NULL);

    display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "grab_pointer: cannot open display '%s'\n",
                getenv("DISPLAY") != NULL ? getenv("DISPLAY") : "");
        return 1;
    }
    root = DefaultRootWindow(display);

    /* Another client (Wine moving a window) may hold a grab for a moment. */
    for (attempt = 0; attempt < GRAB_ATTEMPTS && !stop_requested; ++attempt) {
        status = XGrabPointer(display, root, False, 0, GrabModeAsync, GrabModeAsync, None, None,
                              CurrentTime);
        if (status == GrabSuccess)
            break;
        poll(NULL, 0, 100);
    }
    if (status != GrabSuccess) {
        fprintf(stderr, "grab_pointer: XGrabPointer failed: %s\n", grab_status_name(status));
        XCloseDisplay(display);
        return 1;
    }
    XSync(display, False);
    printf("grabbed\n");
    fflush(stdout);

    deadline = now_seconds() + (double)seconds;
    while (!stop_requested) {
        struct pollfd pfd;
        double left = deadline - now_seconds();
        if (left <= 0)
            break;
        pfd.fd = ConnectionNumber(display);
        pfd.events = POLLIN;
        pfd.revents = 0;
        /* Wake at least once a second so the deadline holds whatever the server sends. */
        if (poll(&pfd, 1, left > 1.0 ? 1000 : (int)(left * 1000) + 1) < 0 && errno != EINTR)
            break;
        if (pfd.revents & (POLLERR | POLLHUP))
            break;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }

    XUngrabPointer(display, CurrentTime);
    XCloseDisplay(display);
    return 0;
}
