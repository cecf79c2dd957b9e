#pragma once
// The DXF page (`TS1`): the drawing view on the left, the settings and the
// program on the right.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QWidget>
#include "output/ProgramView.h"

#include "help/HelpPanel.h"
#include "output/ToolpathPanel.h"
#include "pages/dxf/DrawingView.h"
#include "widgets/NumericEdit.h"
#include "widgets/ProfileBox.h"
#include "widgets/StartPointGroup.h"

namespace bw::app {

class DxfPage : public QWidget {
    Q_OBJECT
public:
    explicit DxfPage(QWidget* parent = nullptr);

    QScrollArea* ScrollBox3;
    DrawingView* I1;
    QTabWidget* PageControl2;
    QGroupBox* GroupBox8;
    QPushButton* SBODXF;
    QCheckBox* CBPolilinie;  // the full reading instead of the line scanner
    QGroupBox* GroupBox9;
    QLabel* Label10;
    NumericEdit* ESzJD;
    QLabel* Label11;
    NumericEdit* ESzRD;
    QLabel* Label14;
    NumericEdit* EProstki;
    QLabel* Label16;
    NumericEdit* EGrubosc;
    QLabel* Label17;
    NumericEdit* EWarstwa;
    QCheckBox* CBDotnij;
    QLabel* Label2;
    QLabel* LPrzejsciaD;
    StartPointGroup* GBPktStartuD;
    ProfileBox* GroupBox13;
    HelpPanel* PHelpDXF;
    QPushButton* SBDXF;
    QPushButton* SBZGD;
    QPushButton* SBKopiujD;
    ProgramView* RE1;
    ToolpathPanel* PSciezkaD;  // RE1 or the toolpath of its program
    HelpPanel* PHelpDXF1;
};

}  // namespace bw::app
