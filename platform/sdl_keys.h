// SDL key events to Windows virtual-key codes, by the key's meaning in the
// user's layout. Plain integers in, so the table can be tested on its own.
#pragma once
#include <cstdint>

// scancode: SDL_Scancode; keycode: SDL_Keycode; modifiers: SDL_Keymod.
// Returns 0 for a key that has no virtual-key code.
uint16_t virtualKeyFromSdl(int scancode, int32_t keycode, uint16_t modifiers);

// SDL_Keymod to the form library's shift state.
uint16_t shiftStateFromSdl(uint16_t modifiers);
