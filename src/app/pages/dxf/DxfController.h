#pragma once
// The DXF page's behaviour: opening a drawing, the preview with pan and zoom,
// generating the program, the pass count, saving and copying.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

#include "job/JobContext.h"

namespace bw::app {

class DxfPage;
class GCodeSettingsPage;
class HelpMode;
class JobExchange;
class JobRunner;
class ProgramDelivery;
struct SharedBitmap;
class ToolsPage;

class DxfController : public QObject {
    Q_OBJECT
public:
    DxfController(JobContext& ctx, DxfPage& page, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                  JobExchange& exchange, ProgramDelivery& delivery, SharedBitmap& workBitmap, HelpMode& help,
                  QObject* parent);

    // Asks for the drawing to open (empty = cancelled); the open dialog unless replaced.
    std::function<QString(const QString& filter)> askOpenFileName;

    // Runs when a program has been handed to the view, with its line count.
    std::function<void(std::size_t lines)> programShown;

    // The page has become current: the pass count, and the example drawing on the first visit.
    void pageShown(const QString& programFolder);
    void updatePassCount();
    // A drawing has been read and is on screen.
    bool drawingShown() const { return drawingShown_; }
    // Starts reading the drawing in a worker job, as the open button does after its dialog.
    bool openDrawing(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Status fillParameters();
    Status showPreview();
    Status showProgramView();
    void open();
    void generate();
    void save();
    void copy();
    void startRedraw();
    void mouseMoved(QPoint position);
    void wheelStep(int step);
    // Mouse input is taken while no job other than this page's redraw runs.
    bool viewAcceptsInput() const;

    JobContext& ctx_;
    DxfPage& page_;
    ToolsPage& tools_;
    GCodeSettingsPage& gcode_;
    JobRunner& jobs_;
    JobExchange& exchange_;
    ProgramDelivery& delivery_;
    SharedBitmap& workBitmap_;
    HelpMode& help_;
    QTimer resizeRedraw_;                 // draws the preview at the view's new size once resizing pauses
    std::optional<DxfState> beforeLoad_;  // put back when the user cancels a load
    QString openFolder_;                  // where the open dialog starts: the folder of the last file opened
    bool exampleLoaded_ = false;
    bool drawingShown_ = false;
};

}  // namespace bw::app
