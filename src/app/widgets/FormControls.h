#pragma once
// Small factories for the window's controls, so that every page names its
// controls the same way (objectName = the control's name in the window).

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

class QBoxLayout;

namespace bw::app {

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent = nullptr);
QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent = nullptr);
QCheckBox* makeCheckBox(const QString& name, const QString& caption, bool checked, QWidget* parent = nullptr);
// A check box of the settings: checked as the form defaults table says.
QCheckBox* makeFormCheckBox(const QString& name, const QString& caption, QWidget* parent = nullptr);
// A program view: editable plain text without wrapping, fixed-pitch font.
QPlainTextEdit* makeProgramView(const QString& name, QWidget* parent = nullptr);
// The maker's name and web address, which every page carries.
QWidget* makeMakerLabels(const QString& pageLetter, QWidget* parent = nullptr);

inline constexpr const char* kMakerName = "Corvane";
inline constexpr const char* kMakerWebAddress = "https://corvane.example/beamwright";

}  // namespace bw::app
