#pragma once
// The Tools page (`TabSheet8`, its tab hidden): the numeric settings shared by
// all pages and the calibration patterns.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "help/HelpPanel.h"
#include "widgets/NumericEdit.h"

namespace bw::app {

class ToolsPage : public QWidget {
    Q_OBJECT
public:
    explicit ToolsPage(QWidget* parent = nullptr);

    QLabel* Label12;
    NumericEdit* EOgniskowa;
    QLabel* Label13;
    NumericEdit* EEkstruzja;
    QLabel* Label65;
    QLabel* Label48;
    NumericEdit* EIloscZerU;
    QGroupBox* GroupBox11;
    QGroupBox* GroupBox14;
    QLabel* Label34;
    NumericEdit* Edit1;
    QLabel* Label35;
    NumericEdit* Edit5;
    QLabel* Label37;
    NumericEdit* Edit8;
    QRadioButton* CBKwadraty;
    QRadioButton* CBKropki;
    QPushButton* SpeedButton10;
    QPushButton* SpeedButton8;
    QPushButton* SpeedButton3;
    QGroupBox* GroupBox15;
    QLabel* Label15;
    NumericEdit* EGruboscT;
    QLabel* Label38;
    NumericEdit* EPmin;
    QLabel* Label39;
    NumericEdit* EPmax;
    QPushButton* SpeedButton11;
    QPushButton* SpeedButton9;
    QPushButton* SBJezyk;
    HelpPanel* PHelpU;
};

}  // namespace bw::app
