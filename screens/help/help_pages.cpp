// The texts of the help window's three pages, in French.
#include "screens/help/help_pages.h"

#include <QStringList>

#include "screens/support/makers.h"

namespace verdal {

QString WelcomePageText() {
  // Each entry is a line of the page, which wraps only what is wider than itself: the
  // blanks at two line ends cannot be seen, and the sentence breaks where the player reads it.
  return QStringList{
      "Bienvenue!!",
      "",
      "Merci d'avoir téléchargé LEXOR!!",
      "",
      "Pour utiliser l'aide, choississez le thème à ",
      "gauche.",
      "",
      "Si vous avez des questions, des remarques ",
      "ou des suggestions,",
      "n'hésitez pas, contactez nous :",
      "",
      kMakersMailAddress,
  }
      .join('\n');
}

QString RulesPageText() {
  return QStringLiteral(
      "REGLE DU JEU :\n"
      "\n"
      "Vous devez trouver un mot en un nombre d'essais limité et dans un temps donné. "
      "Le jeu vous donne la première lettre du mot, puis vous montre, à chaque essai, "
      "quelles lettres de votre proposition se trouvent dans le mot.\n"
      "\n"
      "1/ Tapez votre proposition au clavier : ses lettres s'affichent en bas de l'écran. "
      "Le mot doit être entré en entier avant que le chronomètre de votre panneau de "
      "contrôle n'arrive au bout.\n"
      "\n"
      "2/ Le jeu analyse alors votre proposition :\n"
      "- une lettre sur fond jaune se trouve dans le mot, mais pas à cette place ;\n"
      "- une lettre sur fond rouge est à la bonne place ; elle est déjà placée pour vous "
      "sur les lignes suivantes ;\n"
      "- une lettre sans couleur ne fait pas partie du mot.\n"
      "\n"
      "3/ Chaque bonne réponse rapporte un point. La partie s'arrête dès qu'un joueur "
      "atteint 10 points.\n"
      "\n"
      "4/ À deux joueurs, vous jouez chacun votre tour : la main passe à l'autre joueur "
      "après chaque proposition, et aussi quand le temps est écoulé.");
}

QString CommandsPageText() {
  return QStringLiteral(
      "LES COMMANDES :\n"
      "\n"
      "Passez la souris sur un bouton : son rôle s'affiche à côté.\n"
      "- la croix rouge permet de quitter ;\n"
      "- la croix bleue permet de jouer ;\n"
      "- la croix violette ouvre les réglages ;\n"
      "- la croix verte ouvre l'aide.\n"
      "\n"
      "Les réglages vous permettent de choisir :\n"
      "- le nombre de lettres des mots : 6, 7 ou 8, parmi plus de 20 000 mots, auxquels "
      "votre dictionnaire personnel peut en ajouter d'autres ;\n"
      "- le temps maximum laissé pour entrer un mot, de 5 secondes à 1 minute ;\n"
      "- les effets sonores, avec ou sans ;\n"
      "- le niveau :\n"
      "   « Facile » : des mots courants, de tous les jours ;\n"
      "   « Difficile » : des mots moins courants ;\n"
      "   « Complet » : tout le dictionnaire ;\n"
      "   « Perso » : uniquement les mots de votre dictionnaire personnel.\n"
      "Les trois premiers niveaux peuvent inclure votre dictionnaire personnel, si vous "
      "le souhaitez.\n"
      "\n"
      "Votre dictionnaire personnel est le fichier « perso » de votre dossier :\n"
      "~/.local/share/verdal/perso\n"
      "Sur la première ligne, le nombre de mots, puis un mot par ligne, accents compris.");
}

}  // namespace verdal
