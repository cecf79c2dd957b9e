#pragma once
// The main window: composes the five pages, owns the state jobs share with the
// window, and wires the jobs to the pages.

#include <QMainWindow>
#include <QString>

#include <memory>

#include "job/JobContext.h"
#include "jobs/SharedBitmap.h"

class QStatusBar;
class QTabWidget;

namespace bw::app {
class PictureController;
class PicturePage;
class CalibrationController;
class DxfController;
class DxfPage;
class GCodeSettingsPage;
class HelpMode;
class JobExchange;
class JobRunner;
class MaskPreviewUpdater;
class PcbController;
class PcbPage;
class ProfileController;
class ProgramDelivery;
class ToolsPage;
}  // namespace bw::app

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The smallest size at which every page's fields stay usable.
    static constexpr int kMinimumWidth = 1000;
    static constexpr int kMinimumHeight = 640;

    // `programFolder` holds the example files and the settings folder; empty = the program's own folder.
    explicit MainWindow(const QString& programFolder = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    const QString& programFolder() const { return programFolder_; }
    bw::JobContext& context() { return ctx_; }
    bw::app::JobRunner& jobs() { return *jobs_; }
    bw::app::ProgramDelivery& delivery() { return *delivery_; }
    bw::app::DxfController& dxf() { return *dxf_; }
    bw::app::ProfileController& profiles() { return *profiles_; }
    bw::app::PictureController& bmp() { return *bmp_; }
    bw::app::PcbController& pcb() { return *pcb_; }
    bw::app::CalibrationController& calibration() { return *calibration_; }
    bw::app::HelpMode& help() { return *help_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void startUp();
    void shutDown();
    void setStartPoint(int startPoint);
    void toggleLanguage();
    void pageChanged(int index);
    void fitToScreen();
    void updateTitle();
    void normalizeNumericFields();
    void loadStartupState();
    void saveLastState();

    QString programFolder_;
    bw::JobContext ctx_;
    bw::app::SharedBitmap workBitmap_;
    QTabWidget* PC1 = nullptr;
    QStatusBar* SB1 = nullptr;
    bw::app::DxfPage* dxfPage_ = nullptr;
    bw::app::PicturePage* bmpPage_ = nullptr;
    bw::app::PcbPage* pcbPage_ = nullptr;
    bw::app::ToolsPage* toolsPage_ = nullptr;
    bw::app::GCodeSettingsPage* gcodePage_ = nullptr;
    bw::app::JobRunner* jobs_ = nullptr;
    bw::app::JobExchange* exchange_ = nullptr;
    std::unique_ptr<bw::app::ProgramDelivery> delivery_;
    bw::app::MaskPreviewUpdater* maskPreview_ = nullptr;
    bw::app::DxfController* dxf_ = nullptr;
    bw::app::ProfileController* profiles_ = nullptr;
    bw::app::HelpMode* help_ = nullptr;
    bw::app::PictureController* bmp_ = nullptr;
    bw::app::PcbController* pcb_ = nullptr;
    bw::app::CalibrationController* calibration_ = nullptr;
    bool shutDownDone_ = false;
};
