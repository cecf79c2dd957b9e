#include "pages/gcode/GCodeSettingsPage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <string_view>

#include "gcode/DefaultHeaderFooter.h"
#include "gcode/MaskPreview.h"
#include "widgets/FormControls.h"

namespace bw::app {

namespace {

// The editors show lines; the defaults are written with CR LF as a program holds them.
QString editorText(std::string_view programText) {
    return QString::fromUtf8(programText.data(), qsizetype(programText.size())).replace("\r\n", "\n");
}

QPlainTextEdit* makeTextEditor(const QString& name, const QString& text) {
    QPlainTextEdit* editor = makeProgramView(name);
    editor->setPlainText(text);
    return editor;
}

}  // namespace

GCodeSettingsPage::GCodeSettingsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TabSheet3");

    GroupBox16 = new ProfileBox("GroupBox16", "G-CODE Profile", "CBProfilS", "SBZapiszU", "SBUsunU", this);
    Label57 = makeLabel("Label57", "G-CODE mask");
    EMaskaU = new QLineEdit(QString::fromStdString(MaskPreviewFields{}.maskText));
    EMaskaU->setObjectName("EMaskaU");
    EMaskaU->setProperty("tag", 0);
    Label1 = makeLabel("Label1", "G-CODE format Preview");
    REPodgladU = makeProgramView("REPodgladU");
    REPodgladU->setReadOnly(true);
    REPodgladU->setMaximumHeight(130);
    SpeedButton2 = makeButton("SpeedButton2", "Reset");
    LMWPWM = makeLabel("LMWPWM", "Maximum PWM value");
    EMWPWM = new NumericEdit("EMWPWM");
    RGRozszerzenie = new RadioGroup("RGRozszerzenie", "G-CODE file extension", {"*.g", "*.gcode", "*.nc", "*.tap"}, 0);
    Label46 = makeLabel("Label46", "Header");
    REHeaderU = makeTextEditor("REHeaderU", editorText(kDefaultHeaderText));
    Label47 = makeLabel("Label47", "Footer");
    REFooterU = makeTextEditor("REFooterU", editorText(kDefaultFooterText));
    GBMaszynaU = new QGroupBox("Machine (time estimate)");
    GBMaszynaU->setObjectName("GBMaszynaU");
    LPredkoscU = makeLabel("LPredkoscU", "Maximum rate [mm/min]");
    EPredkoscU = new NumericEdit("EPredkoscU");
    LPrzyspieszenieU = makeLabel("LPrzyspieszenieU", "Acceleration [mm/s²]");
    EPrzyspieszenieU = new NumericEdit("EPrzyspieszenieU");
    LOdchylenieU = makeLabel("LOdchylenieU", "Junction deviation [mm]");
    EOdchylenieU = new NumericEdit("EOdchylenieU");
    auto* machine = new QFormLayout(GBMaszynaU);
    machine->addRow(LPredkoscU, EPredkoscU);
    machine->addRow(LPrzyspieszenieU, EPrzyspieszenieU);
    machine->addRow(LOdchylenieU, EOdchylenieU);
    PHelpG = new HelpPanel("PHelpG");
    E1 = new QLineEdit(this);
    E1->setObjectName("E1");
    E1->setProperty("tag", 0);
    E1->setVisible(false);

    auto* maskRow = new QHBoxLayout;
    maskRow->addWidget(Label57);
    maskRow->addWidget(EMaskaU, 1);
    auto* previewTitle = new QHBoxLayout;
    previewTitle->addWidget(Label1);
    previewTitle->addStretch(1);
    previewTitle->addWidget(SpeedButton2);
    auto* pwmRow = new QHBoxLayout;
    pwmRow->addWidget(LMWPWM);
    pwmRow->addWidget(EMWPWM);
    pwmRow->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox16);
    left->addLayout(maskRow);
    left->addLayout(previewTitle);
    left->addWidget(REPodgladU);
    left->addLayout(pwmRow);
    left->addWidget(RGRozszerzenie);
    left->addWidget(GBMaszynaU);
    left->addStretch(1);
    left->addWidget(PHelpG, 0, Qt::AlignLeft);

    auto* texts = new QGridLayout;
    texts->addWidget(Label46, 0, 0);
    texts->addWidget(REHeaderU, 1, 0);
    texts->addWidget(Label47, 2, 0);
    texts->addWidget(REFooterU, 3, 0);

    auto* row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addLayout(texts, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row, 1);
    column->addWidget(makeMakerLabels("G"));
}

}  // namespace bw::app
