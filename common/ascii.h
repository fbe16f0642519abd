// ASCII-only case conversion: only a-z change. Locale-dependent calls are avoided on
// purpose, since Qt sets the program's locale and the rules must not depend on it.
#pragma once

namespace verdal {

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace verdal
