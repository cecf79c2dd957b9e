#include "pages/dxf/DxfPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "widgets/FormControls.h"

namespace bw::app {

DxfPage::DxfPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TS1");

    ScrollBox3 = new QScrollArea(this);
    ScrollBox3->setObjectName("ScrollBox3");
    ScrollBox3->setWidgetResizable(true);
    I1 = new DrawingView("I1");
    ScrollBox3->setWidget(I1);

    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName("PageControl2");
    PageControl2->setMinimumWidth(430);
    PageControl2->setMaximumWidth(520);

    // Settings: opening, parameters, start point, profile.
    auto* settings = new QWidget;
    settings->setObjectName("TabSheet1");
    GroupBox8 = new QGroupBox("Open DXF", settings);
    GroupBox8->setObjectName("GroupBox8");
    SBODXF = makeButton("SBODXF", "Open DXF file", GroupBox8);
    CBPolilinie = makeFormCheckBox("CBPolilinie", "Read polylines, ellipses and blocks");
    auto* openColumn = new QVBoxLayout(GroupBox8);
    openColumn->addWidget(SBODXF);
    openColumn->addWidget(CBPolilinie);

    GroupBox9 = new QGroupBox("Parameters", settings);
    GroupBox9->setObjectName("GroupBox9");
    Label10 = makeLabel("Label10", "Idle speed [mm/min]");
    ESzJD = new NumericEdit("ESzJD");
    Label11 = makeLabel("Label11", "Work speed [mm/min]");
    ESzRD = new NumericEdit("ESzRD");
    Label14 = makeLabel("Label14", "Curve accuracy [mm]");
    EProstki = new NumericEdit("EProstki");
    Label16 = makeLabel("Label16", "Material thickness [mm]");
    EGrubosc = new NumericEdit("EGrubosc");
    Label17 = makeLabel("Label17", "One pass thickness [mm]");
    EWarstwa = new NumericEdit("EWarstwa");
    CBDotnij = makeFormCheckBox("CBDotnij", "Additional last cut");
    Label2 = makeLabel("Label2", "Passes");
    LPrzejsciaD = makeLabel("LPrzejsciaD", "0");
    auto* form = new QFormLayout(GroupBox9);
    form->addRow(Label10, ESzJD);
    form->addRow(Label11, ESzRD);
    form->addRow(Label14, EProstki);
    form->addRow(Label16, EGrubosc);
    form->addRow(Label17, EWarstwa);
    form->addRow(CBDotnij);
    form->addRow(Label2, LPrzejsciaD);

    GBPktStartuD = new StartPointGroup("GBPktStartuD", 'D', settings);
    GroupBox13 = new ProfileBox("GroupBox13", "Profile", "CBProfilD", "SpeedButton4", "SpeedButton5", settings);
    PHelpDXF = new HelpPanel("PHelpDXF", settings);

    auto* settingsColumn = new QVBoxLayout(settings);
    settingsColumn->addWidget(GroupBox8);
    settingsColumn->addWidget(GroupBox9);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(GBPktStartuD);
    startRow->addStretch(1);
    startRow->addWidget(PHelpDXF, 0, Qt::AlignBottom);
    settingsColumn->addLayout(startRow);
    settingsColumn->addWidget(GroupBox13);
    settingsColumn->addStretch(1);
    PageControl2->addTab(settings, "Settings");

    // G-CODE: generate, save, copy and the program.
    auto* program = new QWidget;
    program->setObjectName("TabSheet2");
    SBDXF = makeButton("SBDXF", "Generate G-code", program);
    SBDXF->setEnabled(false);
    SBZGD = makeButton("SBZGD", "Save G-code", program);
    SBZGD->setEnabled(false);
    SBKopiujD = makeButton("SBKopiujD", "Copy to clipboard", program);
    RE1 = new ProgramView("RE1", program);
    PHelpDXF1 = new HelpPanel("PHelpDXF1", program);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SBDXF);
    buttons->addWidget(SBZGD);
    buttons->addWidget(SBKopiujD);
    buttons->addStretch(1);
    buttons->addWidget(PHelpDXF1);
    auto* programColumn = new QVBoxLayout(program);
    programColumn->addLayout(buttons);
    PSciezkaD = new ToolpathPanel("D", RE1);
    programColumn->addWidget(PSciezkaD, 1);
    PageControl2->addTab(program, "G-CODE");

    auto* right = new QVBoxLayout;
    right->addWidget(PageControl2, 1);
    right->addWidget(makeMakerLabels("D"));
    auto* row = new QHBoxLayout(this);
    row->addWidget(ScrollBox3, 1);
    row->addLayout(right);
}

}  // namespace bw::app
