// The desktop's "open" action through Qt.
#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace verdal {

void QtShell::Open(const std::string& address) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace verdal
