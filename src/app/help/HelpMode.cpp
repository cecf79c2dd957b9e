#include "help/HelpMode.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "help/HelpPanel.h"
#include "help/HelpPopup.h"
#include "i18n/HelpTopics.h"
#include "pages/tools/InstructionWindows.h"
#include "widgets/RadioGroup.h"

// The help texts live in the window's library; make sure the linker keeps them.
static void initHelpResources() { Q_INIT_RESOURCE(help); }

namespace bw::app {

namespace {

// The instruction buttons open their windows whatever the help mode.
bool ignoresHelpMode(const QObject* control) {
    return control->objectName() == QLatin1String("SpeedButton3") ||
           control->objectName() == QLatin1String("SpeedButton9");
}

// The kinds of control that take part in help mode: radio buttons, labels, edit
// fields, buttons, check boxes, group boxes and radio groups (group boxes too).
bool isHelpKind(const QObject* control) {
    return qobject_cast<const QRadioButton*>(control) != nullptr || qobject_cast<const QLabel*>(control) != nullptr ||
           qobject_cast<const QLineEdit*>(control) != nullptr || qobject_cast<const QPushButton*>(control) != nullptr ||
           qobject_cast<const QCheckBox*>(control) != nullptr || qobject_cast<const QGroupBox*>(control) != nullptr;
}

// The keys that click a focused button or box.
bool clicksButton(const QKeyEvent* key) { return key->key() == Qt::Key_Space || key->key() == Qt::Key_Select; }

int topicOf(const QObject* control) {
    if (control == nullptr || !isHelpKind(control)) { return 0; }
    return helpTopicFor(control->objectName().toStdString());
}

QString topicText(int topic) {
    const HelpTopic* entry = helpTopic(topic);
    return entry != nullptr ? helpResourceText(entry->fileName) : QString();
}

}  // namespace

HelpMode::HelpMode(QWidget* window)
    : QObject(window), window_(window), popup_(std::make_unique<HelpPopup>()), clickFrames_(new QButtonGroup(this)) {
    clickFrames_->setExclusive(false);
    connect(clickFrames_, &QButtonGroup::buttonPressed, this, &HelpMode::buttonPressed);
    const auto unmute = [this](QAbstractButton* button) {
        if (button == muted_) {
            button->blockSignals(false);
            muted_ = nullptr;
        }
    };
    connect(clickFrames_, &QButtonGroup::buttonClicked, this, unmute);
    // A press that ends without a click (released off the button) must not leave the button
    // deaf to the user's next click: once the release has been handled, it hears again.
    connect(clickFrames_, &QButtonGroup::buttonReleased, this, [this, unmute](QAbstractButton* button) {
        QTimer::singleShot(0, this, [button, unmute] { unmute(button); });
    });
    initHelpResources();
}

HelpMode::~HelpMode() = default;

void HelpMode::install() {
    auto panels = [this](std::initializer_list<const char*> names) {
        std::vector<HelpPanel*> found;
        for (const char* name : names) {
            if (auto* panel = window_->findChild<HelpPanel*>(name)) { found.push_back(panel); }
        }
        return found;
    };
    const auto connectPanels = [this](const std::vector<HelpPanel*>& group, HelpPanel* lowered) {
        for (HelpPanel* panel : group) {
            allPanels_.push_back(panel);
            connect(panel, &HelpPanel::clicked, this,
                    [this, group, lowered, panel] { panelClicked(group, lowered != nullptr ? lowered : panel); });
        }
    };
    // Each handler lowers its own panels; the BMP/JPG handler lowers only PHelpBMP, whichever was clicked.
    const auto dxf = panels({"PHelpDXF", "PHelpDXF1"});
    for (HelpPanel* panel : dxf) {
        allPanels_.push_back(panel);
        connect(panel, &HelpPanel::clicked, this, [this, dxf] { panelClicked(dxf, nullptr); });
    }
    const auto bmp = panels({"PHelpBMP", "Panel1", "Panel2"});
    connectPanels(bmp, window_->findChild<HelpPanel*>("PHelpBMP"));
    connectPanels(panels({"PHelpU"}), nullptr);
    connectPanels(panels({"PHelpG"}), nullptr);

    for (QWidget* control : window_->findChildren<QWidget*>()) {
        if (control->window() == window_ && topicOf(control) > 0 && !ignoresHelpMode(control)) {
            control->installEventFilter(this);
            // The group speaks after the button's own signals, even while these are muted, so it
            // frames each click. Radio items keep their own groups.
            auto* button = qobject_cast<QAbstractButton*>(control);
            if (button != nullptr && !button->autoExclusive() && button->group() == nullptr) {
                clickFrames_->addButton(button);
            }
        }
    }
    // The extension group's items stand for the group; the start-point buttons have no topic and act.
    for (RadioGroup* group : window_->findChildren<RadioGroup*>()) {
        if (topicOf(group) <= 0) { continue; }
        for (QRadioButton* item : group->findChildren<QRadioButton*>()) {
            if (topicOf(item) == 0) { item->installEventFilter(this); }
        }
    }
    if (auto* pages = window_->findChild<QTabWidget*>("PC1")) { pages->tabBar()->installEventFilter(this); }
}

void HelpMode::buttonPressed(QAbstractButton* button) {
    if (!helpModeArmed_) { return; }
    ConsumeHelpClick(button);
    // The rest of this click (state change, released, clicked) must reach nobody. A box turned over
    // now, unheard, is turned back by the click itself, so its state ends where it was.
    button->blockSignals(true);
    muted_ = button;
    if (button->isCheckable()) { button->setChecked(!button->isChecked()); }
}

void HelpMode::panelClicked(const std::vector<HelpPanel*>& panels, HelpPanel* lowered) {
    if (helpModeArmed_) {
        for (HelpPanel* panel : panels) { panel->setLowered(false); }
        MarkHelpControls(false);
        helpModeArmed_ = false;
        return;
    }
    if (lowered != nullptr) {
        lowered->setLowered(true);
    } else {
        for (HelpPanel* panel : panels) { panel->setLowered(true); }
    }
    MarkHelpControls(true);
    helpModeArmed_ = true;
}

void HelpMode::raiseAllPanels() {
    for (HelpPanel* panel : allPanels_) { panel->setLowered(false); }
}

void HelpMode::MarkHelpControls(bool on) {
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        // Only the main window's own controls (the dialogs it owns reuse some names).
        if (control->window() != window_ || topicOf(control) <= 0) { continue; }
        if (on) {
            control->setCursor(Qt::WhatsThisCursor);
            QPalette colours = control->palette();
            colours.setColor(QPalette::WindowText, QColor(0, 128, 0));
            colours.setColor(QPalette::ButtonText, QColor(0, 128, 0));
            colours.setColor(QPalette::Text, QColor(0, 128, 0));
            control->setPalette(colours);
        } else {
            control->unsetCursor();
            control->setPalette(QPalette());
        }
    }
}

bool HelpMode::ConsumeHelpClick(QObject* sender) {
    if (!helpModeArmed_) { return false; }
    helpModeArmed_ = false;
    MarkHelpControls(false);
    raiseAllPanels();
    const int topic = topicOf(sender);
    if (topic <= 0) { return true; }
    popup_->showTopic(topicText(topic));
    return true;
}

bool HelpMode::eventFilter(QObject* watched, QEvent* event) {
    if (!helpModeArmed_) { return false; }
    const auto type = event->type();
    const bool clickable = qobject_cast<QAbstractButton*>(watched) != nullptr;
    if (auto* bar = qobject_cast<QTabBar*>(watched)) {
        // The page still changes; help mode ends without a topic.
        if (type == QEvent::MouseButtonRelease) { ConsumeHelpClick(bar->parentWidget()); }
        return false;
    }
    // Buttons and boxes are stopped at the press (of the mouse or of the keys that click them),
    // so they neither act nor change their state.
    if (clickable && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                      (type == QEvent::KeyPress && clicksButton(static_cast<QKeyEvent*>(event))))) {
        QObject* carrier = topicOf(watched) > 0 ? watched : watched->parent();
        ConsumeHelpClick(carrier);
        return true;
    }
    if (!clickable && type == QEvent::MouseButtonRelease) {
        ConsumeHelpClick(watched);
        return true;
    }
    return false;
}

}  // namespace bw::app
