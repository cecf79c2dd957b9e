#include "output/ProgramDelivery.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

#include "gcode/ProgramOutput.h"
#include "shell/MessageBoxes.h"

namespace bw::app {

ProgramDelivery::ProgramDelivery(QWidget* window) : window_(window) {
    askSaveFileName = [this](const QString& filter) {
        return QFileDialog::getSaveFileName(window_, QString(), proposal_, filter);
    };
}

QString ProgramDelivery::save(const std::string& fileText, int extensionChoice, const QString& sourceFile) {
    const std::string extension = ExtensionForChoice(extensionChoice);
    const QString ext = QString::fromStdString(extension);
    const QFileInfo source(sourceFile);
    const QString folder = !lastFolder_.isEmpty() ? lastFolder_
                           : sourceFile.isEmpty() ? QString()
                                                  : source.absolutePath();
    const QString base = sourceFile.isEmpty() ? QString() : source.completeBaseName() + "." + ext;
    proposal_ = folder.isEmpty() ? base : base.isEmpty() ? folder : QDir(folder).filePath(base);
    const QString chosen = askSaveFileName(QStringLiteral("G-CODE (*.%1)").arg(ext));
    if (chosen.isEmpty()) { return {}; }
    const QString path = QString::fromStdString(ApplySaveExtension(chosen.toStdString(), extension));
    Status written = WriteFileAtomically(std::filesystem::path(path.toStdU16String()), fileText);
    if (!written) {
        showWarning(window_, QString::fromStdString(written.error()));
        return {};
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    showInformation(window_, QStringLiteral("OK"));
    return path;
}

void ProgramDelivery::copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }

}  // namespace bw::app
