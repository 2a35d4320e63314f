// The window manager's frame around an X11 window, asked for before the
// window is mapped, so the window can map at its final geometry.
#pragma once
#include <optional>

// The frame's width on each side of the client area, in pixels.
struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// display: the X11 Display*; window: the X11 window id. Asks the window
// manager for the frame it will give the window (_NET_REQUEST_FRAME_EXTENTS)
// and waits up to timeoutMs for the answer. Nothing when the window manager
// does not offer that request or does not answer in time.
std::optional<FrameExtents> requestFrameExtents(void* display, unsigned long window, int timeoutMs);

// The frame the window has now, once the window manager has framed it.
std::optional<FrameExtents> currentFrameExtents(void* display, unsigned long window);

// The window's visual, for matching a GL config to it.
unsigned long windowVisualId(void* display, unsigned long window);

// The socket of the display connection.
int displayConnectionFd(void* display);

// Ends the program with one clear line when the connection to the X server
// is lost, instead of Xlib's messages and an exit that runs clean-up against
// the dead connection.
void exitWhenXConnectionIsLost();
