// The Latin-1 encoding of letters between the screen and the rules.
#include "screens/game/key_encoding.h"

namespace verdal {

std::optional<char> RulesCharacter(const QString& keyText) {
  if (keyText.isEmpty()) return std::nullopt;
  const char16_t code = keyText.front().unicode();
  if (keyText.size() > 1 || code > 0xFF) return kStandInCharacter;
  return static_cast<char>(static_cast<unsigned char>(code));
}

QString ShownCharacter(char character, const QString& typed) {
  if (character == kStandInCharacter && !typed.isEmpty()) return typed;
  return QString(QChar(static_cast<unsigned char>(character)));
}

QString ShownText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace verdal
