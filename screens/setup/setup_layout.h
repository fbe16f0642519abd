// The set-up screen's controls: places, pictures, fonts and colours.
#pragma once

#include "assets/pictures/pictures.h"
#include "screens/support/control_table.h"

namespace verdal {

inline constexpr QRgb kSetupBlue = 0x0000FF, kSetupRed = 0xFF0000, kSetupLime = 0x00FF00,
                      kSetupPurple = 0x800080, kNavy = 0x000080;

// clang-format off
inline const ControlRow kSetupControls[] = {
    {"Image_fond", ControlKind::Picture, {104, 0, 601, 577}, "", pictures::kFond},
    {"Image_jouer", ControlKind::Button, {736, 511, 33, 33}, "", pictures::kCroixBleue},
    {"Image_quitter", ControlKind::Button, {32, 511, 33, 33}, "", pictures::kCroixRouge},
    {"Image_aide", ControlKind::Button, {736, 16, 33, 33}, "", pictures::kCroixVerte},
    {"Image_param", ControlKind::Button, {32, 16, 33, 33}, "", pictures::kCroixViolette},
    {"Label_jouer", ControlKind::Label, {728, 544, 0, 0}, "", nullptr, 19, kSetupBlue},
    {"Label_quitter", ControlKind::Label, {16, 544, 0, 0}, "", nullptr, 19, kSetupRed},
    {"Label_aide", ControlKind::Label, {731, 48, 0, 0}, "", nullptr, 19, kSetupLime},
    {"Label_param", ControlKind::Label, {6, 48, 0, 0}, "", nullptr, 19, kSetupPurple},
    {"Image3", ControlKind::Picture, {256, 168, 273, 49}, "", pictures::kJoueur1},
    {"Image1", ControlKind::Picture, {256, 304, 289, 49}, "", pictures::kJoueur2},
    // Black on black: the game screen reads it, the player never sees it.
    {"Label1", ControlKind::Label, {744, 304, 0, 0}, "2", nullptr, 0, 0x000000},
};
// clang-format on

struct NameField {
  const char* name;
  QRect bounds;
  const char* text;
};
inline const NameField kNameFields[] = {
    {"MaskEdit1", {256, 224, 273, 30}, "NOM #1"},
    {"MaskEdit2", {256, 360, 273, 30}, "NOM #2"},
};
inline constexpr int kNameFontPx = 21;
inline constexpr QRect kCheckBoxBounds{504, 366, 17, 17};

}  // namespace verdal
