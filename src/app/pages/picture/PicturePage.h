#pragma once
// The BMP/JPG page (`TS2`): the picture view on the left; settings, tone
// adjustments and the program on the right.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QWidget>

#include "help/HelpPanel.h"
#include "output/ProgramView.h"
#include "output/ToolpathPanel.h"
#include "widgets/NumericEdit.h"
#include "widgets/PictureView.h"
#include "widgets/ProfileBox.h"
#include "widgets/StartPointGroup.h"

namespace bw::app {

class PicturePage : public QWidget {
    Q_OBJECT
public:
    explicit PicturePage(QWidget* parent = nullptr);

    QScrollArea* ScrollBox2;
    PictureView* I2;
    QTabWidget* PageControl1;
    QGroupBox* GroupBox2;
    QPushButton* SBOBMP;
    QGroupBox* GroupBox6;
    QLabel* Label3;
    NumericEdit* ESzJBMP;
    QLabel* Label4;
    NumericEdit* ESzRBMP;
    QLabel* Label18;
    NumericEdit* EGruboscB;
    QLabel* Label8;
    NumericEdit* ESkala;
    QLabel* Label31;
    NumericEdit* ERXB;
    QLabel* LRX;
    QLabel* Label32;
    NumericEdit* ERYB;
    QLabel* LRY;
    QCheckBox* CBProporcjeB;
    QCheckBox* CBRPoz;
    QCheckBox* CBRPio;
    QCheckBox* CBRamkaB;
    QCheckBox* CBRJaloweB;
    QCheckBox* CBZoomB;
    QGroupBox* GBKontrolaMocyB;
    QLabel* LMocB;
    QLabel* LMocB1;
    NumericEdit* EMocBMin;
    QLabel* LMocB2;
    NumericEdit* EMocBMax;
    StartPointGroup* GBPktStartuB;
    ProfileBox* GroupBox18;
    HelpPanel* PHelpBMP;
    QCheckBox* CBSzarosc;
    QCheckBox* CBDithering;
    QGroupBox* GBKorekcja;
    QLabel* LG;
    QSlider* TBGamma;
    QLabel* LGamma;
    QLabel* LB;
    QSlider* TBBrightness;
    QLabel* LBrightness;
    QLabel* LC;
    QSlider* TBContrast;
    QLabel* LContrast;
    QLabel* LProgCB;
    QSlider* TBProg;
    QLabel* LProg;
    QPushButton* SBResetujB;
    HelpPanel* Panel1;
    QPushButton* SBBMP;
    QPushButton* SBZGB;
    QPushButton* SBKopiujB;
    ProgramView* RE2;
    ToolpathPanel* PSciezkaB;  // RE2 or the toolpath of its program
    HelpPanel* Panel2;
};

}  // namespace bw::app
