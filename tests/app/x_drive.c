/* Drives the game's windows on an X display for the restart tests:
 *   x_drive PID windows TIMEOUT   waits until the process shows a window; prints one line per
 *                                 viewable window of it: "x y width height title"
 *   x_drive PID key KEYSYM TITLE  presses a key (Return, Escape) in the window whose title holds
 *                                 TITLE
 *   x_drive PID place X Y W H     moves and sizes the window titled "Nobakuza"
 *   x_drive PID close             asks the window titled "Nobakuza" to close, as its close button
 * Exit status 0 on success, 1 when the window was not found in time, 2 on misuse. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { maxWindows = 32 };

static long windowPid(Display* d, Window w) {
    Atom pidAtom = XInternAtom(d, "_NET_WM_PID", True);
    if (pidAtom == None) return -1;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != NULL && format == 32 && count == 1)
        pid = (long)*(unsigned long*)data;
    if (data != NULL) XFree(data);
    return pid;
}

/* The viewable windows of the process among the children of the root, newest last. */
static int findWindows(Display* d, long pid, Window* out) {
    Window root, parent, *children = NULL;
    unsigned int n = 0;
    int found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return 0;
    for (unsigned int i = 0; i < n && found < maxWindows; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            windowPid(d, children[i]) == pid)
            out[found++] = children[i];
    }
    if (children != NULL) XFree(children);
    return found;
}

static void title(Display* d, Window w, char* buffer, size_t size) {
    buffer[0] = '\0';
    XTextProperty p;
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    if (XGetWindowProperty(d, w, netName, 0, 256, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data != NULL) {
        snprintf(buffer, size, "%s", (char*)data);
        XFree(data);
        return;
    }
    if (XGetWMName(d, w, &p) && p.value != NULL) {
        snprintf(buffer, size, "%s", (char*)p.value);
        XFree(p.value);
    }
}

static Window windowTitled(Display* d, long pid, const char* wanted, double timeout) {
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    for (;;) {
        Window ws[maxWindows];
        const int n = findWindows(d, pid, ws);
        for (int i = n - 1; i >= 0; --i) {
            char name[512];
            title(d, ws[i], name, sizeof name);
            if (strstr(name, wanted) != NULL) return ws[i];
        }
        clock_gettime(CLOCK_MONOTONIC, &t1);
        if (t1.tv_sec - t0.tv_sec + (t1.tv_nsec - t0.tv_nsec) / 1e9 > timeout) return None;
        usleep(100000);
    }
}

static int ignoreErrors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

typedef int (*FakeKeyFn)(Display*, unsigned int, Bool, unsigned long);

static void pressKey(Display* d, Window w, KeySym sym) {
    const KeyCode key = XKeysymToKeycode(d, sym);
    XRaiseWindow(d, w);
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    usleep(200000);
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    FakeKeyFn fakeKey = xtst != NULL ? (FakeKeyFn)dlsym(xtst, "XTestFakeKeyEvent") : NULL;
    if (fakeKey != NULL) {
        fakeKey(d, key, True, 0);
        fakeKey(d, key, False, 0);
    } else {
        XKeyEvent e = {0};
        e.display = d;
        e.window = w;
        e.root = DefaultRootWindow(d);
        e.time = CurrentTime;
        e.same_screen = True;
        e.keycode = key;
        e.type = KeyPress;
        XSendEvent(d, w, True, KeyPressMask, (XEvent*)&e);
        e.type = KeyRelease;
        XSendEvent(d, w, True, KeyReleaseMask, (XEvent*)&e);
    }
    XSync(d, False);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: x_drive PID windows|key|place|close ...\n");
        return 2;
    }
    const long pid = atol(argv[1]);
    const char* command = argv[2];
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) {
        fprintf(stderr, "x_drive: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    int status = 0;
    if (strcmp(command, "windows") == 0 && argc == 4) {
        if (windowTitled(d, pid, "", atof(argv[3])) == None) {
            status = 1;
        } else {
            usleep(300000); /* a box opened right after the window */
            Window ws[maxWindows];
            const int n = findWindows(d, pid, ws);
            for (int i = 0; i < n; ++i) {
                XWindowAttributes a;
                char name[512];
                XGetWindowAttributes(d, ws[i], &a);
                title(d, ws[i], name, sizeof name);
                printf("%d %d %d %d %s\n", a.x, a.y, a.width, a.height, name);
            }
        }
    } else if (strcmp(command, "key") == 0 && argc == 5) {
        const Window w = windowTitled(d, pid, argv[4], 20);
        if (w == None)
            status = 1;
        else
            pressKey(d, w, XStringToKeysym(argv[3]));
    } else if (strcmp(command, "place") == 0 && argc == 7) {
        const Window w = windowTitled(d, pid, "Nobakuza", 20);
        if (w == None)
            status = 1;
        else
            XMoveResizeWindow(d, w, atoi(argv[3]), atoi(argv[4]), (unsigned)atoi(argv[5]),
                              (unsigned)atoi(argv[6]));
    } else if (strcmp(command, "close") == 0 && argc == 3) {
        const Window w = windowTitled(d, pid, "Nobakuza", 20);
        if (w == None) {
            status = 1;
        } else {
            XEvent e = {0};
            e.xclient.type = ClientMessage;
            e.xclient.window = w;
            e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
            e.xclient.format = 32;
            e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(d, w, False, NoEventMask, &e);
        }
    } else {
        fprintf(stderr, "x_drive: unknown command\n");
        status = 2;
    }
    XSync(d, False);
    XCloseDisplay(d);
    return status;
}
