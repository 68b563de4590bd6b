/* Waits until a process shows a window on the X display, prints the window's title, and
 * presses Escape in it. Used by the install test: x_probe PID TIMEOUT_SECONDS
 * Exit status 0 when the window appeared and the key was sent, 1 on a timeout, 2 on misuse. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

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

/* A viewable window of the process, searched depth first from `w`. */
static Window findWindow(Display* d, Window w, long pid) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable && windowPid(d, w) == pid)
        return w;
    Window root, parent, *children = NULL;
    unsigned int n = 0;
    Window found = None;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && found == None; ++i)
            found = findWindow(d, children[i], pid);
        if (children != NULL) XFree(children);
    }
    return found;
}

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* Ignore errors from windows that vanish while the tree is walked. */
static int ignoreErrors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

typedef int (*FakeKeyFn)(Display*, unsigned int, Bool, unsigned long);

static void pressEscape(Display* d, Window w) {
    const KeyCode key = XKeysymToKeycode(d, XK_Escape);
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    /* A real key press through the XTest extension when it is there, otherwise a key event
     * sent straight to the window. */
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    FakeKeyFn fakeKey = xtst != NULL ? (FakeKeyFn)dlsym(xtst, "XTestFakeKeyEvent") : NULL;
    if (fakeKey != NULL) {
        fakeKey(d, key, True, 0);
        fakeKey(d, key, False, 0);
        printf("x_probe: Escape pressed (XTest)\n");
    } else {
        XKeyEvent e = {0};
        e.display = d;
        e.window = w;
        e.root = DefaultRootWindow(d);
        e.subwindow = None;
        e.time = CurrentTime;
        e.same_screen = True;
        e.keycode = key;
        e.type = KeyPress;
        XSendEvent(d, w, True, KeyPressMask, (XEvent*)&e);
        e.type = KeyRelease;
        XSendEvent(d, w, True, KeyReleaseMask, (XEvent*)&e);
        printf("x_probe: Escape sent to the window\n");
    }
    XSync(d, False);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: x_probe PID TIMEOUT_SECONDS\n");
        return 2;
    }
    const long pid = atol(argv[1]);
    const double timeout = atof(argv[2]);
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) {
        fprintf(stderr, "x_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const double start = now();
    Window w = None;
    while ((w = findWindow(d, DefaultRootWindow(d), pid)) == None) {
        if (now() - start > timeout) {
            fprintf(stderr, "x_probe: no window of process %ld within %.0f s\n", pid, timeout);
            XCloseDisplay(d);
            return 1;
        }
        usleep(100000);
    }
    char* name = NULL;
    XFetchName(d, w, &name);
    printf("x_probe: window 0x%lx \"%s\" after %.1f s\n", (unsigned long)w, name ? name : "",
           now() - start);
    if (name != NULL) XFree(name);
    fflush(stdout);
    /* Let the program finish starting up before the key arrives. */
    usleep(1000000);
    pressEscape(d, w);
    fflush(stdout);
    XCloseDisplay(d);
    return 0;
}
