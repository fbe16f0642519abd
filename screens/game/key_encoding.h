// What passes between the screen and the rules for the letters: one byte per position, the
// Latin-1 code of the character. Every key a French keyboard types fits; anything else still
// takes its position, as a stand-in the rules can never accept as a letter.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace verdal {

// Never one of the 26 letters, so a proposal holding it is refused like any other.
inline constexpr char kStandInCharacter = '?';

// The character a key press gives to the rules, or nothing for a key without text (Shift,
// an arrow). A key that gives several characters at once still counts as one position.
std::optional<char> RulesCharacter(const QString& keyText);

// How a character of the rules is shown in a cell. The stand-in shows what was typed.
QString ShownCharacter(char character, const QString& typed = {});

// A word or text of the rules, one character per byte.
QString ShownText(const std::string& text);

}  // namespace verdal
