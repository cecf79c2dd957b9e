#pragma once
// The four profile lists (G-code, DXF, BMP/JPG, PCB): selecting an entry loads
// it, the save button asks for a name and writes the page's fields, the delete
// button asks before it removes the file.

#include <QObject>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "job/JobContext.h"
#include "settings/ProfileList.h"

class QWidget;

namespace bw::app {

class ProfileBox;

class ProfileController : public QObject {
    Q_OBJECT
public:
    struct Family {
        ProfileKind kind;
        ProfileBox* box;
    };

    ProfileController(QWidget* window, JobContext& ctx, std::filesystem::path settingsFolder,
                      std::array<Family, 4> families, std::function<void(int)> setStartPoint, QObject* parent);

    // Asks for a profile name, proposing one; nullopt when cancelled. An input box titled "Beamwright" unless replaced.
    std::function<std::optional<QString>(const QString& proposed)> askProfileName;
    // Asks a yes/no question with an empty title unless replaced.
    std::function<bool(const QString& question)> askYesNo;
    // While it answers true (help mode armed) the save and delete buttons do nothing.
    std::function<bool()> helpModeArmed;
    // Runs after a profile of the kind was loaded into the window (the DXF pass count follows).
    std::function<void(ProfileKind)> profileLoaded;

    const std::filesystem::path& settingsFolder() const { return settingsFolder_; }
    // Fills every list from the settings folder; nothing is selected afterwards.
    void refreshAll();
    // Loads the selected entry of the kind's list, if any (start-up, and a selection by the user).
    void loadSelected(ProfileKind kind);

private:
    const Family& family(ProfileKind kind) const;
    void refresh(ProfileKind kind);
    void save(ProfileKind kind);
    void remove(ProfileKind kind);
    void selectName(ProfileKind kind, const QString& name);
    void warn(const std::string& message);

    QWidget* window_;
    JobContext& ctx_;
    std::filesystem::path settingsFolder_;
    std::array<Family, 4> families_;
    std::function<void(int)> setStartPoint_;
};

}  // namespace bw::app
