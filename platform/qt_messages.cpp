// Message boxes titled "VERDAL".
#include "platform/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace verdal {

void QtMessages::Show(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("VERDAL"), QString::fromStdString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  // The full-screen screens stay on top of ordinary windows; the box must not hide behind.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

}  // namespace verdal
