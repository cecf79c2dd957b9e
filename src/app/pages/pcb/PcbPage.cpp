#include "pages/pcb/PcbPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "widgets/FormControls.h"

namespace bw::app {

PcbPage::PcbPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TS3");

    SB2 = new QScrollArea(this);
    SB2->setObjectName("SB2");
    IP = new PictureView("IP");
    SB2->setWidget(IP);

    PC2 = new QTabWidget(this);
    PC2->setObjectName("PC2");
    PC2->setMinimumWidth(430);
    PC2->setMaximumWidth(520);

    auto* settings = new QWidget;
    settings->setObjectName("TabSheet9");
    GroupBox1 = new QGroupBox("PCB-BMP parameters", settings);
    GroupBox1->setObjectName("GroupBox1");
    SBOPCB = makeButton("SBOPCB", "Open PCB-BMP");
    LDpi = makeLabel("LDpi", "DPI");
    Edit2 = new NumericEdit("Edit2");
    Label5 = makeLabel("Label5", "Beam spot diameter [mm]");
    Edit3 = new NumericEdit("Edit3");
    CBZoomP = makeFormCheckBox("CBZoomP", "Fit");
    auto* open = new QFormLayout(GroupBox1);
    open->addRow(SBOPCB);
    open->addRow(LDpi, Edit2);
    open->addRow(Label5, Edit3);
    open->addRow(CBZoomP);

    GroupBox5 = new QGroupBox("Parameters", settings);
    GroupBox5->setObjectName("GroupBox5");
    Label6 = makeLabel("Label6", "Idle speed [mm/min]");
    ESzJPCB = new NumericEdit("ESzJPCB");
    Label7 = makeLabel("Label7", "Work speed [mm/min]");
    ESzRPCB = new NumericEdit("ESzRPCB");
    Label19 = makeLabel("Label19", "Material thickness [mm]");
    EGruboscP = new NumericEdit("EGruboscP");
    auto* parameters = new QFormLayout(GroupBox5);
    parameters->addRow(Label6, ESzJPCB);
    parameters->addRow(Label7, ESzRPCB);
    parameters->addRow(Label19, EGruboscP);

    GroupBox4 = new QGroupBox("Laser head control", settings);
    GroupBox4->setObjectName("GroupBox4");
    CBGrawerski = makeFormCheckBox("CBGrawerski", "Use engraving end mill");
    Label28 = makeLabel("Label28", "Z rising [mm]");
    EUnoszenieP = new NumericEdit("EUnoszenieP");
    Label27 = makeLabel("Label27", "Engraving depth [mm]");
    EZaglP = new NumericEdit("EZaglP");
    auto* head = new QFormLayout(GroupBox4);
    head->addRow(CBGrawerski);
    head->addRow(Label28, EUnoszenieP);
    head->addRow(Label27, EZaglP);

    GBPktStartuP = new StartPointGroup("GBPktStartuP", 'P', settings);
    GroupBox17 = new ProfileBox("GroupBox17", "Profile", "CBProfilP", "SpeedButton12", "SpeedButton13", settings);

    GroupBoxUlp = new QGroupBox("ULP", settings);
    GroupBoxUlp->setObjectName("GroupBoxUlp");
    SBGenULP = makeButton("SBGenULP", "ULP file");
    Label26 = makeLabel("Label26", "Copy to clipboard");
    SBCopyTOP = makeButton("SBCopyTOP", "Top");
    SBCopyBOTTOM = makeButton("SBCopyBOTTOM", "Bottom");
    auto* ulp = new QHBoxLayout(GroupBoxUlp);
    ulp->addWidget(SBGenULP);
    ulp->addStretch(1);
    ulp->addWidget(Label26);
    ulp->addWidget(SBCopyTOP);
    ulp->addWidget(SBCopyBOTTOM);

    auto* settingsColumn = new QVBoxLayout(settings);
    settingsColumn->addWidget(GroupBox1);
    settingsColumn->addWidget(GroupBox5);
    settingsColumn->addWidget(GroupBox4);
    settingsColumn->addWidget(GBPktStartuP, 0, Qt::AlignLeft);
    settingsColumn->addWidget(GroupBox17);
    settingsColumn->addWidget(GroupBoxUlp);
    settingsColumn->addStretch(1);
    PC2->addTab(settings, "Settings");

    auto* program = new QWidget;
    program->setObjectName("TabSheet10");
    SBPCBR = makeButton("SBPCBR", "Rasterize PCB");
    SBPCBR->setEnabled(false);
    SBP1 = makeButton("SBP1", "Preview");
    SBZGPR = makeButton("SBZGPR", "Save G-code");
    SBZGPR->setEnabled(false);
    SBKopiujRP = makeButton("SBKopiujRP", "Copy to clipboard");
    RERaster = new ProgramView("RERaster");
    SBPCBO = makeButton("SBPCBO", "Envelope paths");
    SBPCBO->setEnabled(false);
    SBP2 = makeButton("SBP2", "Preview");
    SBZGPO = makeButton("SBZGPO", "Save G-code");
    SBZGPO->setEnabled(false);
    SBKopiujOP = makeButton("SBKopiujOP", "Copy to clipboard");
    RE3 = new ProgramView("RE3");
    auto* programColumn = new QVBoxLayout(program);
    auto* rasterRow = new QHBoxLayout;
    for (QWidget* each : {SBPCBR, SBP1, SBZGPR, SBKopiujRP}) { rasterRow->addWidget(each); }
    programColumn->addLayout(rasterRow);
    PSciezkaPR = new ToolpathPanel("PR", RERaster);
    programColumn->addWidget(PSciezkaPR, 1);
    auto* outlineRow = new QHBoxLayout;
    for (QWidget* each : {SBPCBO, SBP2, SBZGPO, SBKopiujOP}) { outlineRow->addWidget(each); }
    programColumn->addLayout(outlineRow);
    PSciezkaPO = new ToolpathPanel("PO", RE3);
    programColumn->addWidget(PSciezkaPO, 1);
    PC2->addTab(program, "G-CODE");

    auto* right = new QVBoxLayout;
    right->addWidget(PC2, 1);
    right->addWidget(makeMakerLabels("P"));
    auto* row = new QHBoxLayout(this);
    row->addWidget(SB2, 1);
    row->addLayout(right);
}

}  // namespace bw::app
