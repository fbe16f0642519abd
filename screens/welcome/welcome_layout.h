// The welcome screen's controls: places, pictures, fonts and colours, and the welcome text.
#pragma once

#include <QWidget>

#include "assets/pictures/pictures.h"
#include "screens/support/control_table.h"

namespace verdal {

inline constexpr QRgb kBlue = 0x0000FF, kRed = 0xFF0000, kLime = 0x00FF00, kWhite = 0xFFFFFF;

// From the bottom up where they overlap; the scrolling text lies between the two tables.
// clang-format off
inline const ControlRow kWelcomeControls[] = {
    {"Image_quitter", ControlKind::Button, {32, 511, 33, 33}, "", pictures::kCroixRouge},
    {"Image_jouer", ControlKind::Button, {736, 511, 33, 33}, "", pictures::kCroixBleue},
    {"Label_quitter", ControlKind::Label, {16, 544, 0, 0}, "", nullptr, 19, kRed},
    {"Label_jouer", ControlKind::Label, {728, 544, 0, 0}, "", nullptr, 19, kBlue},
    {"Image_fond", ControlKind::Picture, {97, 0, 600, 581}, "", pictures::kFond},
};
inline constexpr QRect kScrollBounds{144, 72, 497, 321};
inline const ControlRow kWelcomeTopControls[] = {
    {"Image_aide", ControlKind::Button, {736, 16, 33, 33}, "", pictures::kCroixVerte},
    {"Label_aide", ControlKind::Label, {731, 48, 0, 0}, "", nullptr, 19, kLime},
    {"Label_web", ControlKind::Button, {192, 440, 401, 36}, "Ostrane sur le WEB", nullptr, 32,
     kWhite},
};
// clang-format on

// Panel1's contents, which the scrolling control moves; never shown itself.
// clang-format off
inline const ControlRow kWelcomeText[] = {
    {"Label2", ControlKind::Label, {88, 8, 305, 33}, "Bienvenue dans LEXOR", nullptr, 29},
    {"Label5", ControlKind::Label, {96, 64, 295, 18},
     "LEXOR est un jeu de mots, à 1 ou 2 joueurs", nullptr, 16},
    {"Label6", ControlKind::Label, {80, 104, 337, 18},
     "Il vous faudra trouver des mots de 6,7 ou 8 lettres", nullptr, 16},
    {"Label7", ControlKind::Label, {72, 144, 362, 18},
     "parmi plus de 20 000 mots en un minimum de temps", nullptr, 16},
    {"Label8", ControlKind::Label, {40, 208, 424, 18},
     "N'oubliez pas de consulter l'aide pour connaître la règle du jeu", nullptr, 16},
    {"Label9", ControlKind::Label, {176, 248, 142, 22}, "Bonne Chance !!", nullptr, 19},
    {"Label12", ControlKind::Label, {184, 320, 134, 22}, "Une réalisation :", nullptr, 19},
    {"Image4", ControlKind::Picture, {200, 352, 113, 89}, "", pictures::kLogoPetit},
};
// clang-format on

// Black panel, its labels opaque on it; a text wider than its label (the font is not the
// one the places were measured with) widens the label about its centre rather than lose
// its end.
inline QWidget* MakeWelcomePanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(kScrollBounds);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, Qt::black);
  panel->setPalette(palette);
  panel->hide();
  for (const ControlRow& row : kWelcomeText) {
    QLabel* label = MakeControl(panel, row);
    label->setAutoFillBackground(true);
    if (row.picture) continue;
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (needed > label->width()) {
      const int left = std::max(0, label->x() - (needed - label->width()) / 2);
      label->setGeometry(left, label->y(), std::min(needed, kScrollBounds.width() - left),
                         label->height());
    }
  }
  return panel;
}

}  // namespace verdal
