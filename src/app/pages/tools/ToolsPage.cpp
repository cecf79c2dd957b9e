#include "pages/tools/ToolsPage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "settings/FormDefaults.h"
#include "widgets/FormControls.h"

namespace bw::app {

ToolsPage::ToolsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TabSheet8");

    auto* shared = new QGroupBox("Laser", this);
    shared->setObjectName("GroupBox12");
    Label12 = makeLabel("Label12", "Focus distance (Z) [mm]");
    EOgniskowa = new NumericEdit("EOgniskowa");
    Label13 = makeLabel("Label13", "Dir axis movement per mm [mm]");
    EEkstruzja = new NumericEdit("EEkstruzja");
    Label65 = makeLabel("Label65", "DIR axis: the A value of the mask");
    Label48 = makeLabel("Label48", "Decimal places");
    EIloscZerU = new NumericEdit("EIloscZerU");
    auto* sharedForm = new QFormLayout(shared);
    sharedForm->addRow(Label12, EOgniskowa);
    sharedForm->addRow(Label13, EEkstruzja);
    sharedForm->addRow(QString(), Label65);
    sharedForm->addRow(Label48, EIloscZerU);

    GroupBox11 = new QGroupBox("Calibration", this);
    GroupBox11->setObjectName("GroupBox11");
    GroupBox14 = new QGroupBox("Focus distance calibration", GroupBox11);
    GroupBox14->setObjectName("GroupBox14");
    Label34 = makeLabel("Label34", "Idle speed [mm/min]");
    Edit1 = new NumericEdit("Edit1");
    Label35 = makeLabel("Label35", "Work speed [mm/min]");
    Edit5 = new NumericEdit("Edit5");
    Label37 = makeLabel("Label37", "Base Z [mm]");
    Edit8 = new NumericEdit("Edit8");
    CBKwadraty = new QRadioButton("Squares");
    CBKwadraty->setObjectName("CBKwadraty");
    CBKropki = new QRadioButton("Dots");
    CBKropki->setObjectName("CBKropki");
    CBKropki->setChecked(FormDefaultFlag("CBKropki"));
    SpeedButton10 = makeButton("SpeedButton10", "Coarse calibration");
    SpeedButton8 = makeButton("SpeedButton8", "Fine calibration");
    SpeedButton3 = makeButton("SpeedButton3", "Instruction");
    auto* focus = new QGridLayout(GroupBox14);
    focus->addWidget(Label34, 0, 0);
    focus->addWidget(Edit1, 0, 1);
    focus->addWidget(Label35, 1, 0);
    focus->addWidget(Edit5, 1, 1);
    focus->addWidget(Label37, 2, 0);
    focus->addWidget(Edit8, 2, 1);
    focus->addWidget(CBKwadraty, 3, 0);
    focus->addWidget(CBKropki, 3, 1);
    focus->addWidget(SpeedButton10, 4, 0);
    focus->addWidget(SpeedButton8, 4, 1);
    focus->addWidget(SpeedButton3, 5, 0, 1, 2);

    GroupBox15 = new QGroupBox("Grayscale calibration", GroupBox11);
    GroupBox15->setObjectName("GroupBox15");
    Label15 = makeLabel("Label15", "Material thickness [mm]");
    EGruboscT = new NumericEdit("EGruboscT");
    Label38 = makeLabel("Label38", "Power min");
    EPmin = new NumericEdit("EPmin");
    Label39 = makeLabel("Label39", "Power max");
    EPmax = new NumericEdit("EPmax");
    // The grey pattern does not read the power limits; the fields are kept for the profile only.
    for (QWidget* hidden : {static_cast<QWidget*>(Label38), static_cast<QWidget*>(EPmin),
                            static_cast<QWidget*>(Label39), static_cast<QWidget*>(EPmax)}) {
        hidden->setVisible(false);
    }
    SpeedButton11 = makeButton("SpeedButton11", "Grayscale calibration");
    SpeedButton9 = makeButton("SpeedButton9", "Instruction");
    auto* grey = new QGridLayout(GroupBox15);
    grey->addWidget(Label15, 0, 0);
    grey->addWidget(EGruboscT, 0, 1);
    grey->addWidget(Label38, 1, 0);
    grey->addWidget(EPmin, 1, 1);
    grey->addWidget(Label39, 2, 0);
    grey->addWidget(EPmax, 2, 1);
    grey->addWidget(SpeedButton11, 3, 0);
    grey->addWidget(SpeedButton9, 3, 1);

    auto* calibration = new QHBoxLayout(GroupBox11);
    calibration->addWidget(GroupBox14);
    calibration->addWidget(GroupBox15, 0, Qt::AlignTop);

    SBJezyk = makeButton("SBJezyk", "Language", this);
    SBJezyk->setVisible(false);
    PHelpU = new HelpPanel("PHelpU", this);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(shared);
    top->addStretch(1);
    top->addWidget(SBJezyk, 0, Qt::AlignTop);
    top->addWidget(PHelpU, 0, Qt::AlignTop);
    column->addLayout(top);
    column->addWidget(GroupBox11);
    column->addStretch(1);
    column->addWidget(makeMakerLabels("U"));
}

}  // namespace bw::app
