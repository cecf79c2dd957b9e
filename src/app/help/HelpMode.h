#pragma once
// The two-click help: a "Help" panel arms help mode (the panel looks pressed,
// every control with a topic turns green with the help cursor); the next click
// on such a control shows its topic in the popup instead of acting, and ends
// help mode. Commands ask `ConsumeHelpClick` first; mouse presses on buttons
// and boxes and releases on labels, fields, group boxes and the page tabs are
// offered to it here, so that no control acts on the help click. A click made
// by the program (QAbstractButton::click, a shortcut) starts with `pressed`:
// help mode takes it there and mutes the button until that click has ended,
// whatever the button and whoever listens to it.

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QWidget;

namespace bw::app {

class HelpPanel;
class HelpPopup;

class HelpMode : public QObject {
    Q_OBJECT
public:
    explicit HelpMode(QWidget* window);
    ~HelpMode() override;

    // Call once every page exists: finds the help panels and the controls with topics.
    void install();

    bool armed() const { return helpModeArmed_; }
    // True when the click was taken by help mode (the caller then does nothing else).
    bool ConsumeHelpClick(QObject* sender);
    void MarkHelpControls(bool on);
    HelpPopup* popup() { return popup_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A click on one of `panels`; `lowered` is the one that shows help mode as armed.
    void panelClicked(const std::vector<HelpPanel*>& panels, HelpPanel* lowered);
    void raiseAllPanels();
    // The first signal of every click on a help-aware button, mouse or not.
    void buttonPressed(QAbstractButton* button);

    QWidget* window_;
    std::unique_ptr<HelpPopup> popup_;  // a window of its own (its controls reuse names of the main window's)
    std::vector<HelpPanel*> allPanels_;
    // Every help-aware button that is not in a group of its own: its signals bracket each click.
    QButtonGroup* clickFrames_;
    QPointer<QAbstractButton> muted_;  // the button whose help click is under way
    bool helpModeArmed_ = false;
};

}  // namespace bw::app
