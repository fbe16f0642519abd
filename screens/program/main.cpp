// verdal: the game's entry point and its command line.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "common/messages.h"
#include "common/player_folder.h"
#include "common/program_folder.h"
#include "common/shell.h"
#include "components/wave/sound_player.h"
#include "platform/display_loss.h"
#include "platform/qt_messages.h"
#include "platform/qt_shell.h"
#include "platform/qt_sound_player.h"
#include "platform/x11_surface.h"
#include "screens/program/start_up.h"

namespace {

// Written out rather than taken from the parser, whose headings are English.
constexpr char kHelp[] =
    "Usage : verdal [--dossier DOSSIER]\n"
    "VERDAL, jeu de mots : trouvez le mot caché de 6, 7 ou 8 lettres, seul ou à deux.\n"
    "\n"
    "Options :\n"
    "  --dossier DOSSIER  garde les réglages (« data ») et les mots personnels (« perso »)\n"
    "                     dans DOSSIER, créé au besoin et complété des fichiers livrés ;\n"
    "                     sans cette option, ils sont à côté du programme\n"
    "  -h, --help         affiche cette aide\n"
    "  -v, --version      affiche la version\n";

// The player's folder asked for, or nothing; an exit status when the program must stop
// here (help, version, a command line it does not understand).
struct CommandLine {
  std::optional<std::filesystem::path> folder;
  std::optional<int> exitStatus;
};

// Read before the application exists, so that --help and --version need no display.
CommandLine ParseCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  const QCommandLineOption folder(QStringLiteral("dossier"), QString(), QStringLiteral("DOSSIER"));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOptions({folder, help, version});
  CommandLine line;
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty() ||
      (parser.isSet(folder) && parser.value(folder).isEmpty())) {
    std::fputs("verdal : ligne de commande incorrecte (verdal --help pour l'aide)\n", stderr);
    line.exitStatus = 2;
  } else if (parser.isSet(help)) {
    std::fputs(kHelp, stdout);
    line.exitStatus = 0;
  } else if (parser.isSet(version)) {
    std::printf("verdal %s\n", VERDAL_VERSION);
    line.exitStatus = 0;
  } else if (parser.isSet(folder)) {
    // Absolute, since the screens make it current again and again.
    line.folder = std::filesystem::absolute(parser.value(folder).toStdString());
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.exitStatus) return *line.exitStatus;
  verdal::PreferX11SocketPaints();
  QApplication app(argc, argv);
  verdal::EndQuietlyOnDisplayLoss();
  verdal::QtMessages messages;
  verdal::ScopedMessages installedMessages(messages);
  verdal::QtShell shell;
  verdal::ScopedShell installedShell(shell);
  // Made after the application, which the audio output needs.
  verdal::QtSoundPlayer sound;
  verdal::ScopedSoundPlayer installedSound(sound);
  std::optional<verdal::ScopedProgramFolder> playerFolder;
  std::optional<verdal::ScopedDictionaryFolder> dictionaryFolder;
  if (line.folder) {
    try {
      verdal::PreparePlayerFolder(*line.folder, verdal::ExecutableFolder());
    } catch (const verdal::PlayerFolderError& e) {
      // On the terminal, and in a box for a player who started the game from the menu.
      std::fprintf(stderr, "%s\n", e.what());
      verdal::AppMessages().Show(e.what());
      return 1;
    }
    playerFolder.emplace(*line.folder);
    dictionaryFolder.emplace(verdal::ExecutableFolder());
  }
  return verdal::RunProgram(verdal::ProgramScreens());
}
