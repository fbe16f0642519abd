// verdal: the game's entry point and its command line.
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QCommandLineParser>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

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

extern char** environ;

namespace {

// Written out rather than taken from the parser, whose headings are English.
constexpr char kHelp[] =
    "Usage : verdal [--dossier DOSSIER] [--mots | --afficher-dossier]\n"
    "VERDAL, jeu de mots : trouvez le mot caché de 6, 7 ou 8 lettres, seul ou à deux.\n"
    "\n"
    "Options :\n"
    "  --dossier DOSSIER   garde les réglages (« data ») et les mots personnels (« perso »)\n"
    "                      dans DOSSIER, créé au besoin et complété des fichiers livrés ;\n"
    "                      sans cette option, ils sont à côté du programme\n"
    "  --mots              ouvre la liste de mots personnels (« perso ») dans l'éditeur de\n"
    "                      texte du bureau, et affiche son chemin\n"
    "  --afficher-dossier  affiche le dossier des réglages et des mots personnels\n"
    "  -h, --help          affiche cette aide\n"
    "  -v, --version       affiche la version\n";

// What the command line asks for besides playing.
enum class Errand { None, OpenWords, ShowFolder };

// The player's folder asked for, or nothing; an errand done without a display; an exit
// status when the program must stop here (help, version, a command line it does not
// understand).
struct CommandLine {
  std::optional<std::filesystem::path> folder;
  Errand errand = Errand::None;
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
  const QCommandLineOption words(QStringLiteral("mots"));
  const QCommandLineOption showFolder(QStringLiteral("afficher-dossier"));
  parser.addOptions({folder, help, version, words, showFolder});
  CommandLine line;
  // A --dossier given twice takes the last: the launcher's comes before the player's own.
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty() ||
      (parser.isSet(folder) && parser.value(folder).isEmpty()) ||
      (parser.isSet(words) && parser.isSet(showFolder))) {
    std::fputs("verdal : ligne de commande incorrecte (verdal --help pour l'aide)\n", stderr);
    line.exitStatus = 2;
  } else if (parser.isSet(help)) {
    std::fputs(kHelp, stdout);
    line.exitStatus = 0;
  } else if (parser.isSet(version)) {
    std::printf("verdal %s\n", VERDAL_VERSION);
    line.exitStatus = 0;
  } else {
    if (parser.isSet(folder)) {
      // Absolute, since the screens make it current again and again.
      line.folder = std::filesystem::absolute(parser.value(folder).toLocal8Bit().toStdString());
    }
    if (parser.isSet(words)) line.errand = Errand::OpenWords;
    if (parser.isSet(showFolder)) line.errand = Errand::ShowFolder;
  }
  return line;
}

// The folder of "data" and "perso": the player's when given, else the program's own.
std::filesystem::path FolderInUse(const std::optional<std::filesystem::path>& folder) {
  return folder ? *folder : verdal::ExecutableFolder();
}

// Opens "perso" in the desktop's text editor (xdg-open) and prints its path for a player at
// a terminal. The player's folder is made and given the shipped files first, as the first
// start would. Returns the exit status.
int OpenWords(const std::optional<std::filesystem::path>& folder) {
  if (folder) {
    try {
      verdal::PreparePlayerFolder(*folder, verdal::ExecutableFolder());
    } catch (const verdal::PlayerFolderError& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    }
  }
  const std::string words = (FolderInUse(folder) / "perso").string();
  std::printf("%s\n", words.c_str());
  std::fflush(stdout);
  char opener[] = "xdg-open";
  char* const arguments[] = {opener, const_cast<char*>(words.c_str()), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) != 0) {
    std::fprintf(stderr, "VERDAL ne peut pas ouvrir %s : xdg-open manque (paquet xdg-utils).\n",
                 words.c_str());
    return 1;
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr,
                 "VERDAL ne peut pas ouvrir %s : xdg-open n'a pu le confier à aucun éditeur.\n",
                 words.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.exitStatus) return *line.exitStatus;
  if (line.errand == Errand::ShowFolder) {
    std::printf("%s\n", FolderInUse(line.folder).c_str());
    return 0;
  }
  if (line.errand == Errand::OpenWords) return OpenWords(line.folder);
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
