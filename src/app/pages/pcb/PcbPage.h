#pragma once
// The PCB page (`TS3`, its tab hidden): the bitmap view on the left; settings,
// EAGLE helpers and the two programs on the right.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QWidget>

#include "output/ProgramView.h"
#include "output/ToolpathPanel.h"
#include "widgets/NumericEdit.h"
#include "widgets/PictureView.h"
#include "widgets/ProfileBox.h"
#include "widgets/StartPointGroup.h"

namespace bw::app {

class PcbPage : public QWidget {
    Q_OBJECT
public:
    explicit PcbPage(QWidget* parent = nullptr);

    QScrollArea* SB2;
    PictureView* IP;
    QTabWidget* PC2;
    QGroupBox* GroupBox1;
    QPushButton* SBOPCB;
    QLabel* LDpi;
    NumericEdit* Edit2;
    QLabel* Label5;
    NumericEdit* Edit3;
    QCheckBox* CBZoomP;
    QGroupBox* GroupBox5;
    QLabel* Label6;
    NumericEdit* ESzJPCB;
    QLabel* Label7;
    NumericEdit* ESzRPCB;
    QLabel* Label19;
    NumericEdit* EGruboscP;
    QGroupBox* GroupBox4;
    QCheckBox* CBGrawerski;
    QLabel* Label28;
    NumericEdit* EUnoszenieP;
    QLabel* Label27;
    NumericEdit* EZaglP;
    StartPointGroup* GBPktStartuP;
    ProfileBox* GroupBox17;
    QGroupBox* GroupBoxUlp;
    QPushButton* SBGenULP;
    QLabel* Label26;
    QPushButton* SBCopyTOP;
    QPushButton* SBCopyBOTTOM;
    QPushButton* SBPCBR;
    QPushButton* SBP1;
    QPushButton* SBZGPR;
    QPushButton* SBKopiujRP;
    ProgramView* RERaster;
    ToolpathPanel* PSciezkaPR;  // RERaster or the toolpath of its program
    QPushButton* SBPCBO;
    QPushButton* SBP2;
    QPushButton* SBZGPO;
    QPushButton* SBKopiujOP;
    ProgramView* RE3;
    ToolpathPanel* PSciezkaPO;  // RE3 or the toolpath of its program
};

}  // namespace bw::app
