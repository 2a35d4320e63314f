// The application icon shown by the window and the desktop.
#pragma once
#include "platform/window_backend.h"

IconImage mainIcon();
