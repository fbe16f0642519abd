// How the program's windows hand their pixels to an X11 display.
#include "platform/x11_surface.h"

#include <QByteArray>
#include <QtGlobal>

namespace verdal {

void PreferX11SocketPaints() {
  // Read by Qt's X11 platform once, when it opens the connection.
  constexpr char kNoSharedMemory[] = "QT_XCB_NO_MITSHM";
  if (!qEnvironmentVariableIsSet(kNoSharedMemory)) qputenv(kNoSharedMemory, QByteArray("1"));
}

}  // namespace verdal
