#include "shell/ProfileController.h"

#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "fields/DecimalSeparator.h"
#include "fields/WindowFields.h"
#include "settings/SettingsStore.h"
#include "shell/MessageBoxes.h"
#include "widgets/ProfileBox.h"

namespace bw::app {

ProfileController::ProfileController(QWidget* window, JobContext& ctx, std::filesystem::path settingsFolder,
                                     std::array<Family, 4> families, std::function<void(int)> setStartPoint,
                                     QObject* parent)
    : QObject(parent),
      window_(window),
      ctx_(ctx),
      settingsFolder_(std::move(settingsFolder)),
      families_(families),
      setStartPoint_(std::move(setStartPoint)) {
    askProfileName = [this](const QString& proposed) -> std::optional<QString> {
        bool ok = false;
        QString name = QInputDialog::getText(window_, QStringLiteral("Beamwright"), QStringLiteral("Name"),
                                             QLineEdit::Normal, proposed, &ok);
        if (!ok) { return std::nullopt; }
        return name;
    };
    askYesNo = [this](const QString& question) {
        return QMessageBox::question(window_, QString(), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    for (const Family& each : families_) {
        const ProfileKind kind = each.kind;
        // Only the user's choice loads; selections made by the program do not.
        connect(each.box->list, &QComboBox::activated, this, [this, kind] { loadSelected(kind); });
        connect(each.box->saveButton, &QPushButton::clicked, this, [this, kind] { save(kind); });
        connect(each.box->deleteButton, &QPushButton::clicked, this, [this, kind] { remove(kind); });
    }
}

const ProfileController::Family& ProfileController::family(ProfileKind kind) const {
    for (const Family& each : families_) {
        if (each.kind == kind) { return each; }
    }
    return families_[0];
}

void ProfileController::refreshAll() {
    for (const Family& each : families_) { refresh(each.kind); }
}

void ProfileController::refresh(ProfileKind kind) {
    QComboBox* list = family(kind).box->list;
    list->clear();
    for (const std::string& name : ListProfiles(settingsFolder_, kind)) { list->addItem(QString::fromStdString(name)); }
    list->setCurrentIndex(-1);
}

void ProfileController::loadSelected(ProfileKind kind) {
    QComboBox* list = family(kind).box->list;
    if (list->currentIndex() < 0) { return; }
    FieldValues values;
    auto loaded =
        LoadProfile(settingsFolder_, kind, list->currentText().toStdString(), values, systemDecimalSeparator());
    if (!loaded) {
        warn(loaded.error());
        return;
    }
    if (!*loaded) { return; }
    applyFields(window_, ctx_, values, setStartPoint_);
    if (profileLoaded) { profileLoaded(kind); }
}

void ProfileController::save(ProfileKind kind) {
    if (helpModeArmed && helpModeArmed()) { return; }
    QComboBox* list = family(kind).box->list;
    const QString proposed = list->currentIndex() >= 0 ? list->currentText() : QString();
    std::optional<QString> name = askProfileName(proposed);
    if (name) {
        const FieldValues values = collectFields(window_, ctx_, FamilyOf(kind).section);
        Status saved = SaveProfile(settingsFolder_, kind, name->toStdString(), values, systemDecimalSeparator());
        if (!saved) { warn(saved.error()); }
        refresh(kind);
    }
    selectName(kind, name.value_or(proposed));
}

void ProfileController::remove(ProfileKind kind) {
    if (helpModeArmed && helpModeArmed()) { return; }
    QComboBox* list = family(kind).box->list;
    if (list->currentIndex() >= 0) {
        const QString name = list->currentText();
        if (askYesNo(QStringLiteral("Delete %1?").arg(name))) {
            Status deleted = DeleteProfile(settingsFolder_, kind, name.toStdString());
            if (!deleted) { warn(deleted.error()); }
            refresh(kind);
        }
    }
    if (list->count() > 0) {
        list->setCurrentIndex(0);
        loadSelected(kind);
    }
}

void ProfileController::selectName(ProfileKind kind, const QString& name) {
    QComboBox* list = family(kind).box->list;
    list->setCurrentIndex(list->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void ProfileController::warn(const std::string& message) { showWarning(window_, QString::fromStdString(message)); }

}  // namespace bw::app
