// Messages to the user in a box of their own.
#include "platform/platform.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

// Not exec(): the command that reports a failure ends at once, and the box stays until the user
// closes it.
void showwarning(const std::string& title, const std::string& message, const std::string& detail) {
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromStdString(title),
                                QString::fromStdString(message), QMessageBox::Ok,
                                QApplication::activeWindow());
    box->setObjectName(QStringLiteral("warning"));
    box->setInformativeText(QString::fromStdString(detail));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

} // namespace platform
