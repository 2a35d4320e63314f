// Reading a Wayland connection from a second thread, the way libwayland
// allows it: announce the read on a queue of our own (which never holds an
// event), read what has come into every queue, or cancel. The user-interface
// thread dispatches what was read.
#pragma once
#include <string>

// display: the wl_display*. The queue: a wl_event_queue* of the reader's own.
void* createReaderQueue(void* display);
void destroyReaderQueue(void* queue);
// 0 when the read is announced; the caller must then read or cancel.
int prepareWaylandRead(void* display, void* queue);
// -1 when the connection failed (the compositor went, or sent an error).
int readWaylandEvents(void* display);
void cancelWaylandRead(void* display);
// What the compositor said when it ended the connection with a protocol
// error ("wl_surface 12: error 2"); empty for any other end.
std::string waylandProtocolError(void* display);
