// A message handler that recognises Qt's report of a broken X11 connection.
#include "platform/display_loss.h"

#include <unistd.h>

#include <QString>
#include <QtGlobal>

namespace verdal {
namespace {

// The warning Qt's X11 platform prints just before it calls exit().
constexpr char kConnectionBroke[] = "The X11 connection broke";
constexpr char kNote[] = "VERDAL : l'affichage a été fermé, le jeu s'arrête.\n";

QtMessageHandler previousHandler = nullptr;

void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String(kConnectionBroke))) {
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNote, sizeof kNote - 1);
    ::_exit(1);
  }
  if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void EndQuietlyOnDisplayLoss() {
  QtMessageHandler previous = qInstallMessageHandler(OnMessage);
  if (previous != OnMessage) previousHandler = previous;
}

}  // namespace verdal
