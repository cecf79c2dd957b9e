#pragma once
// The G-CODE Settings page (`TabSheet3`): the mask with its live preview, the
// maximum PWM value, the file extension, header, footer, the machine values of
// the time estimate and the G-code profile.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "help/HelpPanel.h"
#include "widgets/NumericEdit.h"
#include "widgets/ProfileBox.h"
#include "widgets/RadioGroup.h"

namespace bw::app {

class GCodeSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit GCodeSettingsPage(QWidget* parent = nullptr);

    ProfileBox* GroupBox16;
    QLabel* Label57;
    QLineEdit* EMaskaU;
    QLabel* Label1;
    QPlainTextEdit* REPodgladU;
    QPushButton* SpeedButton2;
    QLabel* LMWPWM;
    NumericEdit* EMWPWM;
    RadioGroup* RGRozszerzenie;
    QLabel* Label46;
    QPlainTextEdit* REHeaderU;
    QLabel* Label47;
    QPlainTextEdit* REFooterU;
    QGroupBox* GBMaszynaU;  // the machine the time estimate models
    QLabel* LPredkoscU;
    NumericEdit* EPredkoscU;  // maximum rate, mm/min
    QLabel* LPrzyspieszenieU;
    NumericEdit* EPrzyspieszenieU;  // acceleration, mm/s^2
    QLabel* LOdchylenieU;
    NumericEdit* EOdchylenieU;  // junction deviation, mm
    HelpPanel* PHelpG;
    QLineEdit* E1;
};

}  // namespace bw::app
