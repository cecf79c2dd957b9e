#include "shell/ExampleFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

// Silent unless QT_LOGGING_RULES="beamwright.examples.debug=true": says which folder was chosen.
Q_LOGGING_CATEGORY(lcExamples, "beamwright.examples", QtInfoMsg)

namespace bw::app {

QString exampleFolderFor(const QString& programFolder) {
    const QDir beside(programFolder);
    for (const char* name : {"ExampleDXF.dxf", "ExampleBMP.jpg", "ExamplePCB.bmp"}) {
        if (beside.exists(QString::fromLatin1(name))) {
            qCDebug(lcExamples).noquote() << "examples beside the program:" << beside.absolutePath();
            return programFolder;
        }
    }
    // Set by the build from the install layout, e.g. "../share/beamwright/examples".
    const QFileInfo installed(beside.filePath(QStringLiteral(BEAMWRIGHT_INSTALLED_EXAMPLES)));
    if (installed.isDir()) {
        qCDebug(lcExamples).noquote() << "installed examples:" << installed.canonicalFilePath();
        return installed.canonicalFilePath();
    }
    qCDebug(lcExamples).noquote() << "no examples beside" << beside.absolutePath();
    return programFolder;
}

}  // namespace bw::app
