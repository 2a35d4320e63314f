// SDL key events to Windows virtual-key codes, by the key's meaning in the
// user's layout. Plain integers in, so the table can be tested on its own.
#pragma once
#include <cstdint>

// scancode: SDL_Scancode; keycode: SDL_Keycode; modifiers: SDL_Keymod.
// latinLayout: whether the layout prints Latin letters on the letter keys;
// where it does not (Cyrillic, Greek, Hebrew, ...), a letter key that prints
// no Latin letter keeps the letter of its place on a US keyboard.
// Returns 0 for a key that has no virtual-key code.
uint16_t virtualKeyFromSdl(int scancode, int32_t keycode, uint16_t modifiers, bool latinLayout = true);

// Whether the current layout prints Latin letters on most letter keys.
bool currentLayoutIsLatin();

// SDL_Keymod to the form library's shift state.
uint16_t shiftStateFromSdl(uint16_t modifiers);
