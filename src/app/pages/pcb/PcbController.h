#pragma once
// The PCB page's behaviour: opening a board bitmap, the raster exposure and the
// finishing outline with their programs, the previews of both, saving and
// copying, the EAGLE script and command lines, and the example board.

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

#include "job/JobContext.h"
#include "jobs/PcbJobs.h"
#include "raster/PixelBuffer.h"

namespace bw::app {

class GCodeSettingsPage;
class JobExchange;
class JobRunner;
class PcbPage;
class ProgramDelivery;
class ToolsPage;

class PcbController : public QObject {
    Q_OBJECT
public:
    PcbController(JobContext& ctx, PcbPage& page, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                  JobExchange& exchange, ProgramDelivery& delivery, QObject* parent);

    // Asks for the bitmap to open (empty = cancelled); the open dialog unless replaced.
    std::function<QString(const QString& filter)> askOpenFileName;
    // Asks for the folder of the EAGLE script (empty = cancelled); the folder chooser unless replaced.
    std::function<QString()> askFolder;

    // The page has become current: the example board on the first visit.
    void pageShown(const QString& programFolder);
    // Starts reading and classifying the bitmap, as the open button does after its dialog;
    // the board is shown when the job hands it back, a file that does not load changes nothing.
    bool openBoard(const QString& path);
    // The bitmap shown (empty before the first); the open dialog starts in the folder of the last one chosen.
    const QString& boardFile() const { return boardFile_; }
    const QString& openFolder() const { return openFolder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Status fillParameters();
    Status showPicture();
    Status showLoadedBoard();
    Status showRaster();
    Status showOutline();
    // Starts a generator after the launch steps (clean view, snapshot, origin offsets).
    void generate(bool raster);
    void preview(bool raster);
    void writeUlp();

    JobContext& ctx_;
    PcbPage& page_;
    ToolsPage& tools_;
    GCodeSettingsPage& gcode_;
    JobRunner& jobs_;
    JobExchange& exchange_;
    ProgramDelivery& delivery_;
    QString boardFile_;
    QString openFolder_;
    QString loadingBoard_;        // the bitmap the load job reads
    bool loadingChosen_ = false;  // it was chosen in the open dialog (not the example)
    PcbJobOutput output_;         // what the running job hands to the view
    QImage pictureBeforeJob_;     // put back when the user cancels a generator
    bool exampleLoaded_ = false;
};

}  // namespace bw::app
