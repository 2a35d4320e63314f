// The desktop's scale on X11: Xft.dpi in the server's resource database,
// where GNOME, KDE and Xfce put their scaling factor.
#pragma once

// display: the X11 Display*. Xft.dpi over 96; 1 where it is not set or not
// a believable DPI.
double x11DesktopScale(void* display);
