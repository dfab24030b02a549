/* A stand-in for the server's DPMS, preloaded into the real program (no X server here has DPMS):
 * libXext's DPMS calls answer from the file $DPMS_STANDIN_STATE, one line
 * "LEVEL ENABLED STANDBY SUSPEND OFF" (LEVEL: on, standby, suspend or off; timeouts in seconds),
 * and every call that changes something is appended to $DPMS_STANDIN_LOG, one line each:
 * "DPMSForceLevel LEVEL", "DPMSEnable", "DPMSDisable", "DPMSSetTimeouts A B C",
 * "XScreenSaverSuspend 0|1", "XSetScreenSaver ...". A forced level is written back to the state
 * file, as the server's level would change. Built by the tests: cc -shared -fPIC -o X.so X.c -ldl */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static const char* const level_names[] = {"on", "standby", "suspend", "off"};

struct state {
    int level, enabled, standby, suspend, off;
};

static int read_state(struct state* s) {
    const char* path = getenv("DPMS_STANDIN_STATE");
    char word[16] = "";
    FILE* f = path ? fopen(path, "r") : NULL;
    if (!f) return 0;
    int n = fscanf(f, "%15s %d %d %d %d", word, &s->enabled, &s->standby, &s->suspend, &s->off);
    fclose(f);
    if (n != 5) return 0;
    for (s->level = 0; s->level < 4; s->level++)
        if (strcmp(word, level_names[s->level]) == 0) return 1;
    return 0;
}

static void write_state(const struct state* s) {
    const char* path = getenv("DPMS_STANDIN_STATE");
    char temp[4096];
    if (!path || snprintf(temp, sizeof temp, "%s.%d", path, (int)getpid()) >= (int)sizeof temp) return;
    FILE* f = fopen(temp, "w");
    if (!f) return;
    fprintf(f, "%s %d %d %d %d\n", level_names[s->level], s->enabled, s->standby, s->suspend, s->off);
    fclose(f);
    rename(temp, path);
}

static void record(const char* format, ...) {
    const char* path = getenv("DPMS_STANDIN_LOG");
    char line[256];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (!path || n < 0 || n >= (int)sizeof line - 1) return;
    line[n++] = '\n';
    int fd = open(path, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) return;
    if (write(fd, line, (size_t)n) != n) { /* a test log: nothing more to do */
    }
    close(fd);
}

Bool DPMSQueryExtension(Display* d, int* event, int* error) {
    (void)d;
    *event = *error = 0;
    struct state s;
    return read_state(&s);
}

Status DPMSGetVersion(Display* d, int* major, int* minor) {
    (void)d;
    *major = 1;
    *minor = 1;
    return 1;
}

Bool DPMSCapable(Display* d) {
    (void)d;
    return 1;
}

Status DPMSInfo(Display* d, CARD16* level, BOOL* enabled) {
    (void)d;
    struct state s;
    if (!read_state(&s)) return 0;
    *level = (CARD16)s.level;
    *enabled = (BOOL)s.enabled;
    return 1;
}

Status DPMSGetTimeouts(Display* d, CARD16* standby, CARD16* suspend, CARD16* off) {
    (void)d;
    struct state s;
    if (!read_state(&s)) return 0;
    *standby = (CARD16)s.standby;
    *suspend = (CARD16)s.suspend;
    *off = (CARD16)s.off;
    return 1;
}

Status DPMSForceLevel(Display* d, CARD16 level) {
    (void)d;
    struct state s;
    record("DPMSForceLevel %s", level < 4 ? level_names[level] : "?");
    if (level < 4 && read_state(&s) && s.enabled) {
        s.level = level;
        write_state(&s);
    }
    return 1;
}

Status DPMSSetTimeouts(Display* d, CARD16 standby, CARD16 suspend, CARD16 off) {
    (void)d;
    record("DPMSSetTimeouts %d %d %d", standby, suspend, off);
    return 1;
}

Status DPMSEnable(Display* d) {
    (void)d;
    record("DPMSEnable");
    return 1;
}

Status DPMSDisable(Display* d) {
    (void)d;
    record("DPMSDisable");
    return 1;
}

void XScreenSaverSuspend(Display* d, Bool suspend) {
    (void)d;
    record("XScreenSaverSuspend %d", suspend);
}

int XSetScreenSaver(Display* d, int timeout, int interval, int blanking, int exposures) {
    record("XSetScreenSaver %d %d %d %d", timeout, interval, blanking, exposures);
    int (*real)(Display*, int, int, int, int) =
        (int (*)(Display*, int, int, int, int))dlsym(RTLD_NEXT, "XSetScreenSaver");
    return real ? real(d, timeout, interval, blanking, exposures) : 0;
}
