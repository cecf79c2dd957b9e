#include "pages/tools/CalibrationDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "widgets/FormControls.h"

namespace bw::app {

CalibrationDialog::CalibrationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("Calibration code"));
    setModal(true);
    SpeedButton1 = makeButton("SpeedButton1", "Copy to clipboard", this);
    SpeedButton2 = makeButton("SpeedButton2", "Save to file", this);
    SpeedButton3 = makeButton("SpeedButton3", "Cancel", this);
    auto* row = new QHBoxLayout(this);
    int choice = 1;
    for (QPushButton* button : {SpeedButton1, SpeedButton2, SpeedButton3}) {
        button->setAutoDefault(false);
        button->setMinimumSize(140, 40);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            Choice = choice;
            accept();
        });
        ++choice;
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // a fixed single border
}

void CalibrationDialog::showEvent(QShowEvent* event) {
    Choice = 3;
    QDialog::showEvent(event);
}

}  // namespace bw::app
