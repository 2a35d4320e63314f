// The page's key table: only the keys of the controls table map to a code,
// so only they are kept from the browser (arrows, space and F3 would scroll
// or search).
#include "platform/web/web_keys.h"

#include <string_view>

#include "platform/forms/virtual_keys.h"

namespace {

// The letter and digit keys the viewer acts on.
constexpr std::string_view kControlLetters = "ZXCVBNASDFGHJKQW";
constexpr std::string_view kControlDigits = "12345678";

struct NamedKey {
  std::string_view code;
  uint16_t virtualKey;
};
constexpr NamedKey kNamedKeys[] = {
    {"ArrowUp", VK_UP},          {"ArrowDown", VK_DOWN},           {"ArrowLeft", VK_LEFT},
    {"ArrowRight", VK_RIGHT},    {"NumpadAdd", VK_ADD},            {"NumpadSubtract", VK_SUBTRACT},
    {"NumpadDivide", VK_DIVIDE}, {"NumpadMultiply", VK_MULTIPLY}, {"Space", VK_SPACE},
    {"F3", VK_F3},
};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One character outside ASCII: a letter of another script (Cyrillic,
// Greek, ...); punctuation and names such as "Dead" are ASCII.
bool isOneNonAsciiCharacter(std::string_view key) {
  if (key.empty() || static_cast<unsigned char>(key[0]) < 0x80) return false;
  size_t characters = 0;
  for (char c : key) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters == 1;
}

// 'A'..'Z' for "KeyA".."KeyZ", else 0.
char letterOfPlace(std::string_view code) {
  return code.size() == 4 && code.starts_with("Key") && isAsciiLetter(code[3]) ? code[3] : 0;
}

// '0'..'9' for "Digit0".."Digit9", else 0.
char digitOfPlace(std::string_view code) {
  return code.size() == 6 && code.starts_with("Digit") && code[5] >= '0' && code[5] <= '9' ? code[5] : 0;
}

uint16_t letterKey(std::string_view key, std::string_view code) {
  char letter = 0;
  if (key.size() == 1 && isAsciiLetter(key[0]))
    letter = key[0];
  else if (isOneNonAsciiCharacter(key))
    letter = letterOfPlace(code);
  if (letter >= 'a') letter = static_cast<char>(letter - 'a' + 'A');
  return letter && kControlLetters.find(letter) != std::string_view::npos ? static_cast<uint16_t>(letter) : 0;
}

}  // namespace

uint16_t virtualKeyFromDom(const char* key, const char* code, bool ctrl, bool alt, bool meta) {
  if (ctrl || alt || meta) return 0;
  const std::string_view place = code;
  for (const NamedKey& named : kNamedKeys)
    if (named.code == place) return named.virtualKey;
  const char digit = digitOfPlace(place);
  if (digit) return kControlDigits.find(digit) != std::string_view::npos ? static_cast<uint16_t>(digit) : 0;
  return letterKey(key, place);
}
