#pragma once
// The G-CODE Settings page (`TabSheet3`): the mask with its live preview, the
// maximum PWM value, the file extension, header, footer and the G-code profile.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "HelpPanel.h"
#include "NumericEdit.h"
#include "ProfileBox.h"
#include "RadioGroup.h"

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
    HelpPanel* PHelpG;
    QLineEdit* E1;
};

}  // namespace bw::app
