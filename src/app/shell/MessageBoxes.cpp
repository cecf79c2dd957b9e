#include "shell/MessageBoxes.h"

#include <QMessageBox>

namespace bw::app {

namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    auto* box = new QMessageBox(icon, QStringLiteral("Beamwright"), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

}  // namespace

void showWarning(QWidget* parent, const QString& text) { showBox(parent, QMessageBox::Warning, text); }

void showInformation(QWidget* parent, const QString& text) { showBox(parent, QMessageBox::Information, text); }

}  // namespace bw::app
