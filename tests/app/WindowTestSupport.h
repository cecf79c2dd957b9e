#pragma once
// What the window tests share: finding controls by name, reading and writing
// files, running the command line for comparison, and taking the message
// boxes a step left open.

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QWidget>
#include <QtDebug>

namespace window_test {

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly) {
    QFile file(path);
    if (!file.open(mode) || file.write(bytes) != bytes.size()) { qFatal("cannot write %s", qPrintable(path)); }
}

// Standard output of beamwright-cli, or "cli failed" (which no expected program equals).
inline QByteArray runCli(const QStringList& arguments, int timeoutMs = 120000) {
    QProcess cli;
    cli.start(QStringLiteral(BEAMWRIGHT_CLI), arguments);
    if (!cli.waitForFinished(timeoutMs) || cli.exitCode() != 0) {
        qWarning() << "cli failed:" << cli.readAllStandardError();
        return "cli failed";
    }
    return cli.readAllStandardOutput();
}

// The message boxes the window has open, closed after their texts were taken.
inline QStringList takeMessages(QWidget& window) {
    QStringList texts;
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
        if (!box->isVisible()) { continue; }
        texts << box->text();
        box->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texts;
}

template <typename T>
T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (found == nullptr) { qFatal("no control %s", name); }
    return found;
}

}  // namespace window_test
