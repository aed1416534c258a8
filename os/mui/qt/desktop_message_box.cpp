#include "os/mui/qt/desktop_message_box.h"

#include <QMessageBox>
#include <QString>

void mui::qt::showDesktopMessageBox(const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Workbench"), QString::fromStdString(text),
                              QMessageBox::Ok);
  box->setObjectName(DESKTOP_MESSAGE_BOX);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}
