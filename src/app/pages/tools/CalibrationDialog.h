#pragma once
// The calibration result dialog: "Copy to clipboard", "Save to file" or
// "Cancel". `Choice` is 3 whenever the dialog is shown, so closing it by its
// frame copies and saves nothing.

#include <QDialog>

class QPushButton;

namespace bw::app {

class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalibrationDialog(QWidget* parent = nullptr);

    int Choice = 3;  // 1 copy, 2 save, 3 nothing
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton3;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace bw::app
