// verdal: the game's entry point. The command line is ignored.
#include <QApplication>

#include "common/messages.h"
#include "common/shell.h"
#include "components/wave/sound_player.h"
#include "platform/display_loss.h"
#include "platform/qt_messages.h"
#include "platform/qt_shell.h"
#include "platform/qt_sound_player.h"
#include "screens/program/start_up.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  verdal::EndQuietlyOnDisplayLoss();
  verdal::QtMessages messages;
  verdal::ScopedMessages installedMessages(messages);
  verdal::QtShell shell;
  verdal::ScopedShell installedShell(shell);
  // Made after the application, which the audio output needs.
  verdal::QtSoundPlayer sound;
  verdal::ScopedSoundPlayer installedSound(sound);
  return verdal::RunProgram(verdal::ProgramScreens());
}
