#pragma once
// File dialogs driven as the user would: waiting for one to open, typing a name and pressing the
// default button.
#include "platform/platform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

// Once a file dialog is open on the main thread, hands it to act (which ends it).
inline void whendialogopens(std::function<void(QFileDialog&)> act) {
    platform::postonmain([act = std::move(act)] {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(*dialog);
            }
        });
        timer->start(5);
    });
}

// Types the name into the dialog's name field and presses its default button, as the user would.
inline void choosename(QFileDialog& dialog, const std::filesystem::path& folder,
                       const std::string& name) {
    dialog.setDirectory(QString::fromStdString(folder.string()));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(edit != nullptr && box != nullptr);
    edit->setText(QString::fromStdString(name));
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            EXPECT_EQ(button->text(), dialog.labelText(QFileDialog::Accept));
            EXPECT_TRUE(button->isEnabled());
            if (button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    ADD_FAILURE() << "no enabled accept button";
    dialog.reject(); // the test goes on instead of waiting for ever
}
