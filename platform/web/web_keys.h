// Browser key events to Windows virtual-key codes, for the keys the viewer
// acts on. Plain strings in, so the page's key table reads on its own.
#pragma once
#include <cstdint>

// key and code: KeyboardEvent.key and KeyboardEvent.code. Letters go by the
// letter the key prints on Latin layouts, by their place (code) where the key
// prints a letter of another script; digits and the keypad by place. With
// Ctrl, Alt or Meta held the key is the browser's (its shortcuts), and
// every key outside the controls is left to the browser too: 0 for those.
uint16_t virtualKeyFromDom(const char* key, const char* code, bool ctrl, bool alt, bool meta);
