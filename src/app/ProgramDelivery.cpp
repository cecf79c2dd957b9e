#include "ProgramDelivery.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

#include "MessageBoxes.h"
#include "gcode/ProgramOutput.h"

namespace bw::app {

ProgramDelivery::ProgramDelivery(QWidget* window) : window_(window) {
    askSaveFileName = [this](const QString& filter) {
        return QFileDialog::getSaveFileName(window_, QString(), QString(), filter);
    };
}

QString ProgramDelivery::save(const std::string& fileText, int extensionChoice) {
    const std::string extension = ExtensionForChoice(extensionChoice);
    const QString ext = QString::fromStdString(extension);
    const QString chosen = askSaveFileName(QStringLiteral("G-CODE (*.%1)").arg(ext));
    if (chosen.isEmpty()) { return {}; }
    const QString path = QString::fromStdString(ApplySaveExtension(chosen.toStdString(), extension));
    Status written = WriteFileAtomically(std::filesystem::path(path.toStdU16String()), fileText);
    if (!written) {
        showWarning(window_, QString::fromStdString(written.error()));
        return {};
    }
    showInformation(window_, QStringLiteral("OK"));
    return path;
}

void ProgramDelivery::copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }

}  // namespace bw::app
