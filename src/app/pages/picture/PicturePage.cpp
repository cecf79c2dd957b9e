#include "pages/picture/PicturePage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "widgets/FormControls.h"

namespace bw::app {

namespace {

QSlider* makeTrackBar(const QString& name, int minimum, int maximum, int position) {
    auto* bar = new QSlider(Qt::Horizontal);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    return bar;
}

}  // namespace

PicturePage::PicturePage(QWidget* parent) : QWidget(parent) {
    setObjectName("TS2");

    ScrollBox2 = new QScrollArea(this);
    ScrollBox2->setObjectName("ScrollBox2");
    ScrollBox2->setAlignment(Qt::AlignCenter);
    I2 = new PictureView("I2");
    ScrollBox2->setWidget(I2);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setMinimumWidth(430);
    PageControl1->setMaximumWidth(520);

    auto* settings = new QWidget;
    settings->setObjectName("TabSheet4");
    GroupBox2 = new QGroupBox("Image", settings);
    GroupBox2->setObjectName("GroupBox2");
    SBOBMP = makeButton("SBOBMP", "Open BMP/JPG file", GroupBox2);
    (new QHBoxLayout(GroupBox2))->addWidget(SBOBMP);

    GroupBox6 = new QGroupBox("Parameters", settings);
    GroupBox6->setObjectName("GroupBox6");
    Label3 = makeLabel("Label3", "Idle speed [mm/min]");
    ESzJBMP = new NumericEdit("ESzJBMP");
    Label4 = makeLabel("Label4", "Work speed [mm/min]");
    ESzRBMP = new NumericEdit("ESzRBMP");
    Label18 = makeLabel("Label18", "Material thickness [mm]");
    EGruboscB = new NumericEdit("EGruboscB");
    Label8 = makeLabel("Label8", "Pixel size [mm/pixel]");
    ESkala = new NumericEdit("ESkala");
    Label31 = makeLabel("Label31", "X resolution");
    ERXB = new NumericEdit("ERXB");
    LRX = makeLabel("LRX", "0 mm");
    Label32 = makeLabel("Label32", "Y resolution");
    ERYB = new NumericEdit("ERYB");
    LRY = makeLabel("LRY", "0 mm");
    CBProporcjeB = makeFormCheckBox("CBProporcjeB", "Keep aspect ratio");
    CBRPoz = makeFormCheckBox("CBRPoz", "Horizontal raster");
    CBRPio = makeFormCheckBox("CBRPio", "Vertical raster");
    CBRamkaB = makeFormCheckBox("CBRamkaB", "Frame");
    CBRamkaB->setVisible(false);  // its state comes from the profile only
    CBRJaloweB = makeFormCheckBox("CBRJaloweB", "Idle moves");
    CBZoomB = makeFormCheckBox("CBZoomB", "Fit");
    auto* grid = new QGridLayout(GroupBox6);
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(ESzJBMP, 0, 1);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(ESzRBMP, 1, 1);
    grid->addWidget(Label18, 2, 0);
    grid->addWidget(EGruboscB, 2, 1);
    grid->addWidget(Label8, 3, 0);
    grid->addWidget(ESkala, 3, 1);
    grid->addWidget(Label31, 4, 0);
    grid->addWidget(ERXB, 4, 1);
    grid->addWidget(LRX, 4, 2);
    grid->addWidget(Label32, 5, 0);
    grid->addWidget(ERYB, 5, 1);
    grid->addWidget(LRY, 5, 2);
    grid->addWidget(CBProporcjeB, 6, 0, 1, 3);
    grid->addWidget(CBRPoz, 7, 0);
    grid->addWidget(CBRPio, 7, 1);
    grid->addWidget(CBRJaloweB, 8, 0);
    grid->addWidget(CBZoomB, 8, 1);
    grid->addWidget(CBRamkaB, 9, 0);

    GBKontrolaMocyB = new QGroupBox("Power control", settings);
    GBKontrolaMocyB->setObjectName("GBKontrolaMocyB");
    LMocB = makeLabel("LMocB", "Power [%]");
    LMocB1 = makeLabel("LMocB1", "Min");
    EMocBMin = new NumericEdit("EMocBMin");
    LMocB2 = makeLabel("LMocB2", "Max");
    EMocBMax = new NumericEdit("EMocBMax");
    auto* power = new QHBoxLayout(GBKontrolaMocyB);
    power->addWidget(LMocB);
    power->addWidget(LMocB1);
    power->addWidget(EMocBMin);
    power->addWidget(LMocB2);
    power->addWidget(EMocBMax);

    GBPktStartuB = new StartPointGroup("GBPktStartuB", 'B', settings);
    GroupBox18 = new ProfileBox("GroupBox18", "Profile", "CBProfilB", "SpeedButton6", "SpeedButton7", settings);
    PHelpBMP = new HelpPanel("PHelpBMP", settings);
    auto* settingsColumn = new QVBoxLayout(settings);
    settingsColumn->addWidget(GroupBox2);
    settingsColumn->addWidget(GroupBox6);
    settingsColumn->addWidget(GBKontrolaMocyB);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(GBPktStartuB);
    startRow->addStretch(1);
    startRow->addWidget(PHelpBMP, 0, Qt::AlignBottom);
    settingsColumn->addLayout(startRow);
    settingsColumn->addWidget(GroupBox18);
    settingsColumn->addStretch(1);
    PageControl1->addTab(settings, "Settings");

    auto* image = new QWidget;
    image->setObjectName("TabSheet5");
    CBSzarosc = makeFormCheckBox("CBSzarosc", "Grayscale", image);
    CBDithering = makeFormCheckBox("CBDithering", "Dithering", image);
    GBKorekcja = new QGroupBox("Correction", image);
    GBKorekcja->setObjectName("GBKorekcja");
    LG = makeLabel("LG", "Gamma");
    TBGamma = makeTrackBar("TBGamma", 1, 800, 100);
    LGamma = makeLabel("LGamma", "1,00");
    LB = makeLabel("LB", "Brightness");
    TBBrightness = makeTrackBar("TBBrightness", -255, 255, 0);
    LBrightness = makeLabel("LBrightness", "0");
    LC = makeLabel("LC", "Contrast");
    TBContrast = makeTrackBar("TBContrast", -255, 255, 0);
    LContrast = makeLabel("LContrast", "0");
    LProgCB = makeLabel("LProgCB", "B/W threshold");
    TBProg = makeTrackBar("TBProg", 0, 255, 128);
    LProg = makeLabel("LProg", "128");
    // The threshold only applies to plain black and white, and greyscale is the default.
    for (QWidget* threshold :
         {static_cast<QWidget*>(LProgCB), static_cast<QWidget*>(TBProg), static_cast<QWidget*>(LProg)}) {
        threshold->setEnabled(false);
    }
    auto* tones = new QGridLayout(GBKorekcja);
    tones->addWidget(LG, 0, 0);
    tones->addWidget(TBGamma, 0, 1);
    tones->addWidget(LGamma, 0, 2);
    tones->addWidget(LB, 1, 0);
    tones->addWidget(TBBrightness, 1, 1);
    tones->addWidget(LBrightness, 1, 2);
    tones->addWidget(LC, 2, 0);
    tones->addWidget(TBContrast, 2, 1);
    tones->addWidget(LContrast, 2, 2);
    tones->addWidget(LProgCB, 3, 0);
    tones->addWidget(TBProg, 3, 1);
    tones->addWidget(LProg, 3, 2);
    SBResetujB = makeButton("SBResetujB", "Reset image", image);
    Panel1 = new HelpPanel("Panel1", image);
    auto* imageColumn = new QVBoxLayout(image);
    imageColumn->addWidget(CBSzarosc);
    imageColumn->addWidget(CBDithering);
    imageColumn->addWidget(GBKorekcja);
    auto* resetRow = new QHBoxLayout;
    resetRow->addWidget(SBResetujB);
    resetRow->addStretch(1);
    resetRow->addWidget(Panel1);
    imageColumn->addLayout(resetRow);
    imageColumn->addStretch(1);
    PageControl1->addTab(image, "Image settings");

    auto* program = new QWidget;
    program->setObjectName("TabSheet6");
    SBBMP = makeButton("SBBMP", "Generate G-code", program);
    SBBMP->setEnabled(false);
    SBZGB = makeButton("SBZGB", "Save G-code", program);
    SBZGB->setEnabled(false);
    SBKopiujB = makeButton("SBKopiujB", "Copy to clipboard", program);
    SBKopiujB->setEnabled(false);
    RE2 = new ProgramView("RE2", program);
    Panel2 = new HelpPanel("Panel2", program);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SBBMP);
    buttons->addWidget(SBZGB);
    buttons->addWidget(SBKopiujB);
    buttons->addStretch(1);
    buttons->addWidget(Panel2);
    auto* programColumn = new QVBoxLayout(program);
    programColumn->addLayout(buttons);
    PSciezkaB = new ToolpathPanel("B", RE2);
    programColumn->addWidget(PSciezkaB, 1);
    PageControl1->addTab(program, "G-CODE");

    auto* right = new QVBoxLayout;
    right->addWidget(PageControl1, 1);
    right->addWidget(makeMakerLabels("B"));
    auto* row = new QHBoxLayout(this);
    row->addWidget(ScrollBox2, 1);
    row->addLayout(right);
}

}  // namespace bw::app
