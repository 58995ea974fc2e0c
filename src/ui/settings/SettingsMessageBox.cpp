#include "SettingsMessageBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

void SettingsMessageBox::presentAlert(QWidget *parent, const SettingsAlertMessage &alert) {
    auto *box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("SettingsAlert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::NoIcon);
    // Messages carry service and file texts; nothing in them may turn into markup.
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(alert.title);
    box->setText(alert.title);
    box->setInformativeText(alert.message);
    // The informative label does not follow setTextFormat() in every Qt version.
    for (QLabel *label : box->findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    QPushButton *ok = box->addButton(
        //: the only button of a settings message: closes it
        QCoreApplication::translate("SettingsMessageBox", "知道了"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}
