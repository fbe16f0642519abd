// How the program's windows hand their pixels to an X11 display.
#include "platform/x11_surface.h"

#include <QByteArray>
#include <QtGlobal>

namespace verdal {

namespace {
// Read by Qt's X11 platform once, when it opens the connection.
constexpr char kNoSharedMemory[] = "QT_XCB_NO_MITSHM";
}  // namespace

ScopedX11SocketPaints::ScopedX11SocketPaints() {
  if (qEnvironmentVariableIsSet(kNoSharedMemory)) return;
  set_ = qputenv(kNoSharedMemory, QByteArray("1"));
}

ScopedX11SocketPaints::~ScopedX11SocketPaints() {
  if (set_) qunsetenv(kNoSharedMemory);
}

}  // namespace verdal
