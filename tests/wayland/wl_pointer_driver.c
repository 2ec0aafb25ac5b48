// A pointer for tests under a wlroots compositor (sway): creates a virtual
// pointer device through zwlr_virtual_pointer_manager_v1 and keeps it while
// it reads commands from standard input, one a line:
//
//   move X Y     puts the pointer at (X, Y) of the output layout
//   press        presses the left button
//   release      lets it go
//
// and answers each with "ok" once the compositor has taken it. A headless
// compositor has no pointer of its own; while this runs, its seat has one.
// The protocol's two interfaces are written out here, as wayland-scanner
// would, so that no protocol file is needed to build it.

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

extern const struct wl_interface zwlr_virtual_pointer_v1_interface;

static const struct wl_interface* manager_types[] = { &wl_seat_interface, &zwlr_virtual_pointer_v1_interface };
static const struct wl_message manager_requests[] = {
    { "create_virtual_pointer", "?on", manager_types },
    { "destroy", "", NULL },
};
static const struct wl_interface zwlr_virtual_pointer_manager_v1_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, manager_requests, 0, NULL
};

static const struct wl_interface* no_types[] = { NULL, NULL, NULL, NULL, NULL };
static const struct wl_message pointer_requests[] = {
    { "motion", "uff", no_types },
    { "motion_absolute", "uuuuu", no_types },
    { "button", "uuu", no_types },
    { "axis", "uuf", no_types },
    { "frame", "", no_types },
    { "axis_source", "u", no_types },
    { "axis_stop", "uu", no_types },
    { "axis_discrete", "uufi", no_types },
    { "destroy", "", no_types },
};
const struct wl_interface zwlr_virtual_pointer_v1_interface = {
    "zwlr_virtual_pointer_v1", 1, 9, pointer_requests, 0, NULL
};

enum { MOTION_ABSOLUTE = 1,
    BUTTON = 2,
    FRAME = 4,
    DESTROY = 8 };

static struct wl_proxy* manager;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = { global, global_remove };

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

int main(int argc, char** argv)
{
    // The extent of the output layout, which absolute places are taken in.
    unsigned width = argc > 2 ? (unsigned)atoi(argv[1]) : 1280;
    unsigned height = argc > 2 ? (unsigned)atoi(argv[2]) : 1024;
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "wl_pointer_driver: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "wl_pointer_driver: the compositor has no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct wl_proxy* pointer = wl_proxy_marshal_constructor(
        manager, 0, &zwlr_virtual_pointer_v1_interface, seat, NULL);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        unsigned x, y;
        if (sscanf(line, "move %u %u", &x, &y) == 2)
            wl_proxy_marshal(pointer, MOTION_ABSOLUTE, now_ms(), x, y, width, height);
        else if (strncmp(line, "press", 5) == 0)
            wl_proxy_marshal(pointer, BUTTON, now_ms(), BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
        else if (strncmp(line, "release", 7) == 0)
            wl_proxy_marshal(pointer, BUTTON, now_ms(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        else {
            fprintf(stderr, "wl_pointer_driver: unknown command: %s", line);
            continue;
        }
        wl_proxy_marshal(pointer, FRAME);
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "wl_pointer_driver: the compositor went away\n");
            return 1;
        }
        printf("ok\n");
        fflush(stdout);
    }
    wl_proxy_marshal(pointer, DESTROY);
    wl_proxy_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
