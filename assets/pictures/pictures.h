// Where the pictures of the screens lie among the program's Qt resources.
#pragma once

#include <QByteArray>

namespace verdal::pictures {

// Background of the welcome, set-up and game screens, 595x574.
inline constexpr char kFond[] = ":/pictures/fond.jpg";
// Title banner of the splash sequence, 612x88.
inline constexpr char kBanniere[] = ":/pictures/banniere.jpg";
// The makers' logo, 200x169 for the splash sequence, 100x85 for the welcome text.
inline constexpr char kLogo[] = ":/pictures/logo.jpg";
inline constexpr char kLogoPetit[] = ":/pictures/logo_petit.jpg";
// End of a match, 433x353, dissolved in from black.
inline constexpr char kBravo[] = ":/pictures/bravo.jpg";
// Buttons: quit (red, 26x26), play (blue, 30x30), help (green, 30x30), settings (violet, 26x26).
inline constexpr char kCroixRouge[] = ":/pictures/croix_rouge.gif";
inline constexpr char kCroixBleue[] = ":/pictures/croix_bleue.gif";
inline constexpr char kCroixVerte[] = ":/pictures/croix_verte.gif";
inline constexpr char kCroixViolette[] = ":/pictures/croix_violette.gif";
// The OK button, 40x38.
inline constexpr char kOk[] = ":/pictures/ok.gif";
// Faces of the player to play and of the other one, 25x25.
inline constexpr char kRire[] = ":/pictures/rire.gif";
inline constexpr char kTriste[] = ":/pictures/triste.gif";
// Headings of the set-up screen, transparent, 264x44 and 287x46.
inline constexpr char kJoueur1[] = ":/pictures/joueur1.gif";
inline constexpr char kJoueur2[] = ":/pictures/joueur2.gif";
// Glyphs of the "Oui" and "Non" buttons, 32x16: normal state left, disabled state right, each
// 16x16. The bottom-left pixel is the background colour (silver) and may be keyed out.
inline constexpr char kOui[] = ":/pictures/oui.bmp";
inline constexpr char kNon[] = ":/pictures/non.bmp";

// The stored bytes of a picture, in place (the resources are not compressed); empty when no
// picture lies at that path. JPEG bytes go to the libjpeg decoder as they are.
QByteArray PictureBytes(const char* path);

}  // namespace verdal::pictures
