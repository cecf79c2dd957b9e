#pragma once
// Saving and copying a program: the save dialog with the extension's filter,
// the extension rule, an atomic write and the "OK" message.

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace bw::app {

class ProgramDelivery {
public:
    explicit ProgramDelivery(QWidget* window);

    // Asks for the file name (empty = cancelled); the save dialog unless replaced.
    std::function<QString(const QString& filter)> askSaveFileName;

    // Saves `fileText` under a name the user picks, with the extension of the
    // extension choice; shows "OK", or a warning naming the file when it cannot be written.
    // The dialog proposes the base name of `sourceFile` (the drawing or picture the program
    // was made from) in the folder last saved to. Answers the path written, empty when
    // cancelled or failed.
    QString save(const std::string& fileText, int extensionChoice, const QString& sourceFile = QString());
    void copy(const QString& text);
    // The path the last save dialog started with.
    const QString& proposal() const { return proposal_; }

private:
    QWidget* window_;
    QString proposal_;    // the path the save dialog starts with
    QString lastFolder_;  // where the last program was saved
};

}  // namespace bw::app
