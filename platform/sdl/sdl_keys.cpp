// The key translation table: letters and punctuation by what the layout
// prints on them, the digit row and keypad by position, like Windows does;
// the letter keys of a non-Latin layout by position too, as their codes stay
// on their keys there.
#include "platform/sdl/sdl_keys.h"

#include <SDL2/SDL_keyboard.h>

#include "platform/forms/form_types.h"
#include "platform/forms/virtual_keys.h"

namespace {

// Keypad 1-9 and 0 without Num Lock act as the navigation keys printed on them.
constexpr uint16_t kKeypadNavigation[10] = {VK_END,  VK_DOWN, VK_NEXT, VK_LEFT,  VK_CLEAR,
                                            VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR, VK_INSERT};

uint16_t keypadKey(int scancode, bool numLock) {
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0) {
    const int digit = scancode == SDL_SCANCODE_KP_0 ? 0 : scancode - SDL_SCANCODE_KP_1 + 1;
    if (numLock) return static_cast<uint16_t>(VK_NUMPAD0 + digit);
    return kKeypadNavigation[scancode - SDL_SCANCODE_KP_1];
  }
  switch (scancode) {
    case SDL_SCANCODE_KP_PERIOD: return numLock ? VK_DECIMAL : VK_DELETE;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    default: return 0;
  }
}

uint16_t punctuationKey(int32_t keycode) {
  switch (keycode) {
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: case SDLK_PLUS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    case SDLK_LESS: return VK_OEM_102;
    default: return 0;
  }
}

bool latinLetter(int32_t keycode) { return keycode >= SDLK_a && keycode <= SDLK_z; }

// A character from a script other than Latin: everything from the Greek
// block on, but for the later Latin blocks. Keys without a character carry
// SDL's scancode mask and are not characters at all.
bool nonLatinCharacter(int32_t keycode) {
  if (keycode & SDLK_SCANCODE_MASK || keycode < 0x370) return false;
  const bool laterLatin = (keycode >= 0x1E00 && keycode < 0x1F00) || (keycode >= 0x2C60 && keycode < 0x2C80) ||
                          (keycode >= 0xA720 && keycode < 0xA800) || (keycode >= 0xAB30 && keycode < 0xAB70) ||
                          (keycode >= 0xFF21 && keycode < 0xFF5B);
  return !laterLatin;
}

bool letterPosition(int scancode) { return scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z; }

uint16_t controlKey(int scancode) {
  switch (scancode) {
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_PRINTSCREEN: return VK_SNAPSHOT;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    default: return 0;
  }
}

}  // namespace

uint16_t virtualKeyFromSdl(int scancode, int32_t keycode, uint16_t modifiers, bool latinLayout) {
  if (latinLetter(keycode)) return static_cast<uint16_t>('A' + (keycode - SDLK_a));
  if (letterPosition(scancode) && (!latinLayout || nonLatinCharacter(keycode)))
    return static_cast<uint16_t>('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0)  // the digit row, whatever the layout
    return static_cast<uint16_t>(scancode == SDL_SCANCODE_0 ? '0' : '1' + (scancode - SDL_SCANCODE_1));
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return static_cast<uint16_t>(VK_F1 + (scancode - SDL_SCANCODE_F1));
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return static_cast<uint16_t>(VK_F1 + 12 + (scancode - SDL_SCANCODE_F13));
  if (uint16_t key = keypadKey(scancode, (modifiers & KMOD_NUM) != 0)) return key;
  if (uint16_t key = controlKey(scancode)) return key;
  return punctuationKey(keycode);
}

uint16_t shiftStateFromSdl(uint16_t modifiers) {
  uint16_t shift = 0;
  if (modifiers & KMOD_SHIFT) shift |= ssShift;
  if (modifiers & KMOD_ALT) shift |= ssAlt;
  if (modifiers & KMOD_CTRL) shift |= ssCtrl;
  return shift;
}

bool currentLayoutIsLatin() {
  int latin = 0;
  for (int scancode = SDL_SCANCODE_A; scancode <= SDL_SCANCODE_Z; ++scancode)
    latin += latinLetter(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)));
  return latin > (SDL_SCANCODE_Z - SDL_SCANCODE_A + 1) / 2;
}
