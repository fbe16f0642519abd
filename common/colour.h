// Colours as the screens store them: $00BBGGRR, or a system colour.
#pragma once

#include <cstdint>

namespace verdal {

// 0x00BBGGRR for an RGB colour; values with the top byte 0x80 name a system colour.
using Colour = std::uint32_t;

constexpr Colour RgbColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr bool IsSystemColour(Colour c) { return (c & 0xFF000000u) == 0x80000000u; }

// The colours the screens and components name, written once.
namespace colours {
constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Red = 0x0000FF;
constexpr Colour Lime = 0x00FF00;
constexpr Colour Blue = 0xFF0000;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour Navy = 0x800000;
constexpr Colour Purple = 0x800080;
constexpr Colour Teal = 0x808000;
constexpr Colour Silver = 0xC0C0C0;
constexpr Colour Grey = 0x808080;
// The game's cells: a letter not in the word, and one in the word but elsewhere.
constexpr Colour CellBlue = RgbColour(128, 128, 255);
constexpr Colour CellYellow = RgbColour(220, 210, 35);
// The face of buttons and panels, which the platform resolves.
constexpr Colour BtnFace = 0x8000000F;
}  // namespace colours

// A system colour resolved to RGB with the light grey of a classic desktop.
constexpr Colour ResolveColour(Colour c) {
  if (!IsSystemColour(c)) return c & 0x00FFFFFFu;
  return RgbColour(0xC0, 0xC0, 0xC0);
}

}  // namespace verdal
