#pragma once
// The BMP/JPG page's behaviour: opening a picture and choosing its working
// resolution, the tone processing with its adjustments, generating the raster
// program, saving and copying it, and the example picture.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "job/JobContext.h"
#include "raster/PictureSizing.h"
#include "raster/PixelBuffer.h"
#include "raster/ToneAdjustments.h"

namespace bw::app {

class PicturePage;
class GCodeSettingsPage;
class HelpMode;
class JobExchange;
class JobRunner;
class ProgramDelivery;
class ToolsPage;

class PictureController : public QObject {
    Q_OBJECT
public:
    PictureController(JobContext& ctx, PicturePage& page, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                      JobExchange& exchange, ProgramDelivery& delivery, HelpMode& help, QObject* parent);

    // Asks for the picture to open (empty = cancelled); the open dialog unless replaced.
    std::function<QString(const QString& filter)> askOpenFileName;
    // Asks a yes/no question; a question box unless replaced.
    std::function<bool(const QString& question)> askYesNo;

    // Runs when a program has been handed back, with its line count.
    std::function<void(std::size_t lines)> programShown;

    // The page has become current: the example picture on the first visit.
    void pageShown(const QString& programFolder);
    // Reads the picture (own size when width or height is 0) and starts the tone processing.
    bool LoadPicture(const QString& path, int width, int height);
    // Enabling of the tone controls by the greyscale and dithering boxes.
    void UpdateToneControls();
    // The adjusted picture the view shows, which the raster job engraves.
    const PixelBuffer& viewBitmap() const { return view_; }
    // The last raster program (saved and copied whole even when the view cannot show it).
    const ProgramLines& program() const;
    bool toneJobPending() const { return tonePending_; }
    // Runs the tone processing again for the boxes and bars as they are now (after a settings load).
    void RestartToneProcessing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Status fillParameters();
    Status showToned();
    Status showProgramView();
    void open();
    void generate();
    void save();
    void copy();
    void resetImage();
    void startToneJob();
    void ToneModeChanged(QObject* sender);
    void resolutionEdited(ResolutionField sender);
    void pixelSizeEdited();
    void keepAspectClicked();
    void commitResolution();
    void resetTrackBars();
    void showAdjustmentLabels();
    ResolutionFields readSizing() const;
    void showSizing(const ResolutionFields& fields);
    ToneAdjustments adjustments() const;

    JobContext& ctx_;
    PicturePage& page_;
    ToolsPage& tools_;
    GCodeSettingsPage& gcode_;
    JobRunner& jobs_;
    JobExchange& exchange_;
    ProgramDelivery& delivery_;
    HelpMode& help_;
    std::shared_ptr<const PixelBuffer> source_;    // `sourceBitmap`: the picture at its working size
    PixelBuffer toned_;                            // the tone job's result, handed back with "BMPZ"
    PixelBuffer view_;                             // the view's bitmap: toned, then adjusted
    PixelBuffer jobPicture_;                       // the raster job's copy of the view
    std::shared_ptr<const ProgramLines> program_;  // shared with the view when it shows it
    bool tonePending_ = false;  // a tone request came while a job ran; the newest state runs after it
    // The tone settings of the running tone job and of the picture on view: a cancelled
    // tone job puts the boxes and the threshold back to what the view shows.
    struct ToneSettings {
        bool greyscale = false;
        bool dithering = false;
        int threshold = 0;
    };
    std::optional<ToneSettings> runningTone_;
    std::optional<ToneSettings> shownTone_;
    ToneSettings toneSettings() const;
    void restoreShownTone();
    QString openFolder_;  // where the open dialog starts: the folder of the last file opened
    bool exampleLoaded_ = false;
    bool showingSizing_ = false;
    bool sizeRefused_ = false;   // the size typed in this edit of a resolution field was refused
    bool quietRefusal_ = false;  // a refusal is not shown again while it stands
};

}  // namespace bw::app
