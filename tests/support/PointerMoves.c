/* Moves the pointer of a Wayland compositor through a virtual pointer of its own (the wlr virtual
 * pointer protocol), as a mouse would: pointer-moves COUNT DX DY PAUSE_MS moves it COUNT times by
 * DX, DY; pointer-moves click X Y WIDTH HEIGHT puts it at X, Y of the WIDTH x HEIGHT desktop and
 * clicks the left button. The headless compositor of the tests has no pointer until a program
 * makes one. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#define LEFT_BUTTON 0x110 /* BTN_LEFT of linux/input-event-codes.h */

#include "wlr-virtual-pointer-client-protocol.h"

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static void pause_ms(int ms) {
    struct timespec t = {ms / 1000, (long)(ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

int main(int argc, char** argv) {
    const int click = argc == 6 && strcmp(argv[1], "click") == 0;
    if (argc != 5 && !click) {
        fprintf(stderr, "usage: pointer-moves COUNT DX DY PAUSE_MS | pointer-moves click X Y WIDTH HEIGHT\n");
        return 2;
    }
    const int count = click ? 0 : atoi(argv[1]);
    const double dx = atof(argv[2]);
    const double dy = atof(argv[3]);
    const int pause = click ? 500 : atoi(argv[4]);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "pointer-moves: no Wayland compositor\n");
        return 1;
    }
    static const struct wl_registry_listener listener = {global, global_remove};
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        fprintf(stderr, "pointer-moves: the compositor has no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    pause_ms(pause); /* clients bind the seat's new pointer first */
    for (int i = 0; i < count; ++i) {
        zwlr_virtual_pointer_v1_motion(pointer, (uint32_t)(i * pause), wl_fixed_from_double(dx),
                                       wl_fixed_from_double(dy));
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        pause_ms(pause);
    }
    if (click) {
        zwlr_virtual_pointer_v1_motion_absolute(pointer, 0, (uint32_t)atoi(argv[2]), (uint32_t)atoi(argv[3]),
                                                (uint32_t)atoi(argv[4]), (uint32_t)atoi(argv[5]));
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        pause_ms(pause);
        for (int state = 1; state >= 0; --state) {
            zwlr_virtual_pointer_v1_button(pointer, (uint32_t)(pause + 100 * (1 - state)), LEFT_BUTTON,
                                           state ? WL_POINTER_BUTTON_STATE_PRESSED
                                                 : WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
            wl_display_roundtrip(display);
            pause_ms(100);
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_seat_destroy(seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
