// SDL key events to virtual-key codes, as the layout and Num Lock say.
#include <SDL2/SDL_keyboard.h>
#include <gtest/gtest.h>

#include "platform/forms/form_types.h"
#include "platform/sdl/sdl_keys.h"

namespace {
uint16_t vk(SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mod = KMOD_NONE) {
  return virtualKeyFromSdl(scancode, keycode, mod);
}
}  // namespace

TEST(KeyMapping, LettersAreTheirCapitalWhateverTheModifiers) {
  EXPECT_EQ(vk(SDL_SCANCODE_Z, SDLK_z), 'Z');
  EXPECT_EQ(vk(SDL_SCANCODE_Z, SDLK_z, KMOD_LSHIFT), 'Z');
  EXPECT_EQ(vk(SDL_SCANCODE_Z, SDLK_z, KMOD_LCTRL), 'Z');
  EXPECT_EQ(vk(SDL_SCANCODE_Z, SDLK_z, KMOD_CAPS), 'Z');
  // A German layout puts Z where US has Y: the meaning counts, not the place.
  EXPECT_EQ(vk(SDL_SCANCODE_Y, SDLK_z), 'Z');
  EXPECT_EQ(vk(SDL_SCANCODE_A, SDLK_a), 'A');
}

TEST(KeyMapping, NonLatinLayoutsKeepTheLettersOnTheirKeys) {
  struct Layout {
    const char* name;
    SDL_Keycode s, z, j;
  };
  // What the keys at US S, Z and J print.
  for (const Layout& l : {Layout{"ru", 0x44B, 0x44F, 0x43E}, Layout{"gr", 0x3C3, 0x3B6, 0x3BE},
                          Layout{"he", 0x5D3, 0x5D6, 0x5D7}}) {
    for (bool latinLayout : {false, true}) {  // a stray non-Latin key on a Latin layout, too
      EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_S, l.s, 0, latinLayout), 'S') << l.name;
      EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_Z, l.z, KMOD_LSHIFT, latinLayout), 'Z') << l.name;
      EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_J, l.j, KMOD_CAPS, latinLayout), 'J') << l.name;
    }
    EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_1, SDLK_1, 0, false), '1') << l.name;
  }
  EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_Q, SDLK_SEMICOLON, 0, false), 'Q') << "Greek prints ; on the Q key";
  EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_M, SDLK_COMMA, 0, true), 188) << "AZERTY's comma is a comma";
  EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_Y, SDLK_z, 0, false), 'Z') << "a Latin letter goes by its meaning";
  EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_SEMICOLON, 0xF6, 0, true), 0) << "a German umlaut has no letter code";
  EXPECT_EQ(virtualKeyFromSdl(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 0, false), 16) << "modifiers as before";
}

TEST(KeyMapping, DigitRowArrowsFunctionKeysAndControls) {
  EXPECT_EQ(vk(SDL_SCANCODE_1, SDLK_1), '1');
  EXPECT_EQ(vk(SDL_SCANCODE_8, SDLK_8), '8');
  EXPECT_EQ(vk(SDL_SCANCODE_0, SDLK_0), '0');
  EXPECT_EQ(vk(SDL_SCANCODE_1, SDLK_AMPERSAND), '1') << "an AZERTY digit row still gives digits";
  EXPECT_EQ(vk(SDL_SCANCODE_LEFT, SDLK_LEFT), 37);
  EXPECT_EQ(vk(SDL_SCANCODE_UP, SDLK_UP), 38);
  EXPECT_EQ(vk(SDL_SCANCODE_RIGHT, SDLK_RIGHT), 39);
  EXPECT_EQ(vk(SDL_SCANCODE_DOWN, SDLK_DOWN), 40);
  EXPECT_EQ(vk(SDL_SCANCODE_F1, SDLK_F1), 112);
  EXPECT_EQ(vk(SDL_SCANCODE_F3, SDLK_F3), 114);
  EXPECT_EQ(vk(SDL_SCANCODE_F12, SDLK_F12), 123);
  EXPECT_EQ(vk(SDL_SCANCODE_SPACE, SDLK_SPACE), 32);
  EXPECT_EQ(vk(SDL_SCANCODE_RETURN, SDLK_RETURN), 13);
  EXPECT_EQ(vk(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), 16);
  EXPECT_EQ(vk(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 17);
  EXPECT_EQ(vk(SDL_SCANCODE_LALT, SDLK_LALT), 18);
  EXPECT_EQ(vk(SDL_SCANCODE_EQUALS, SDLK_EQUALS), 187);
  EXPECT_EQ(vk(SDL_SCANCODE_MINUS, SDLK_MINUS), 189);
  EXPECT_EQ(vk(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), 0) << "a key without a code gives 0";
}

TEST(KeyMapping, KeypadFollowsNumLock) {
  EXPECT_EQ(vk(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS), 107);
  EXPECT_EQ(vk(SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS), 109);
  EXPECT_EQ(vk(SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE), 111);
  EXPECT_EQ(vk(SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY), 106);
  const SDL_Scancode digits[] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2, SDL_SCANCODE_KP_3,
                                 SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7,
                                 SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_9};
  for (int d = 0; d < 10; ++d) EXPECT_EQ(vk(digits[d], SDLK_UNKNOWN, KMOD_NUM), 96 + d) << "keypad " << d;
  EXPECT_EQ(vk(SDL_SCANCODE_KP_8, SDLK_KP_8), 38) << "without Num Lock, keypad 8 is Up";
  EXPECT_EQ(vk(SDL_SCANCODE_KP_0, SDLK_KP_0), 45) << "and keypad 0 is Insert";
  EXPECT_EQ(vk(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM), 110);
}

TEST(KeyMapping, ShiftStateCarriesShiftAltAndCtrl) {
  EXPECT_EQ(shiftStateFromSdl(KMOD_LSHIFT | KMOD_RCTRL), ssShift | ssCtrl);
  EXPECT_EQ(shiftStateFromSdl(KMOD_LALT | KMOD_CAPS), ssAlt);
  EXPECT_EQ(shiftStateFromSdl(KMOD_NONE), 0);
}
