#include "pages/pcb/PcbController.h"

#include <utility>

#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

#include "fields/DecimalSeparator.h"
#include "fields/FieldReader.h"
#include "job/JobSteps.h"
#include "jobs/JobExchange.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramText.h"
#include "output/ToolpathPanel.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/pcb/PcbPage.h"
#include "pages/tools/ToolsPage.h"
#include "pcb/EagleExport.h"
#include "pcb/PcbFields.h"
#include "pcb/PcbRaster.h"
#include "shell/MessageBoxes.h"

namespace bw::app {

namespace {

// The example board is offered only in its shipped form.
constexpr qint64 kExampleBoardSize = 33238;

QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

PcbController::PcbController(JobContext& ctx, PcbPage& page, ToolsPage& tools, GCodeSettingsPage& gcode,
                             JobRunner& jobs, JobExchange& exchange, ProgramDelivery& delivery, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      page_(page),
      tools_(tools),
      gcode_(gcode),
      jobs_(jobs),
      exchange_(exchange),
      delivery_(delivery) {
    askOpenFileName = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(page_.window(), QString(), openFolder_, filter);
    };
    askFolder = [this] { return QFileDialog::getExistingDirectory(page_.window()); };
    exchange_.registerCode(JobCode::PcbParameters, [this] { return fillParameters(); });
    exchange_.registerCode(JobCode::PcbPictureReady, [this] { return showLoadedBoard(); });
    exchange_.registerCode(JobCode::PcbRasterReady, [this] { return showRaster(); });
    exchange_.registerCode(JobCode::PcbOutlineReady, [this] { return showOutline(); });

    connect(page_.SBOPCB, &QPushButton::clicked, this, [this] {
        if (jobs_.refuseWhileBusy()) { return; }
        const QString path = askOpenFileName(QStringLiteral("Bitmap (*.bmp)"));
        if (!path.isEmpty() && openBoard(path)) { loadingChosen_ = true; }
    });
    connect(&jobs_, &JobRunner::jobCancelled, this, [this] {
        if (!pictureBeforeJob_.isNull()) { page_.IP->setPicture(pictureBeforeJob_); }
    });
    connect(&jobs_, &JobRunner::jobEnded, this, [this] { pictureBeforeJob_ = QImage(); });
    connect(page_.SBPCBR, &QPushButton::clicked, this, [this] { generate(true); });
    connect(page_.SBPCBO, &QPushButton::clicked, this, [this] { generate(false); });
    connect(page_.SBP1, &QPushButton::clicked, this, [this] { preview(true); });
    connect(page_.SBP2, &QPushButton::clicked, this, [this] { preview(false); });
    connect(page_.SBZGPR, &QPushButton::clicked, this,
            [this] { delivery_.save(viewFileText(page_.RERaster), gcode_.RGRozszerzenie->itemIndex(), boardFile_); });
    connect(page_.SBZGPO, &QPushButton::clicked, this,
            [this] { delivery_.save(viewFileText(page_.RE3), gcode_.RGRozszerzenie->itemIndex(), boardFile_); });
    connect(page_.SBKopiujRP, &QPushButton::clicked, this,
            [this] { delivery_.copy(QString::fromStdString(viewFileText(page_.RERaster))); });
    connect(page_.SBKopiujOP, &QPushButton::clicked, this,
            [this] { delivery_.copy(QString::fromStdString(viewFileText(page_.RE3))); });
    connect(page_.SBCopyTOP, &QPushButton::clicked, this, [this] { delivery_.copy(qtext(kEagleTopCommand)); });
    connect(page_.SBCopyBOTTOM, &QPushButton::clicked, this, [this] { delivery_.copy(qtext(kEagleBottomCommand)); });
    connect(page_.SBGenULP, &QPushButton::clicked, this, &PcbController::writeUlp);
    connect(page_.CBZoomP, &QCheckBox::clicked, this, [this] { FitView(page_.CBZoomP, page_.IP, page_.SB2); });
    page_.SB2->viewport()->installEventFilter(this);
}

bool PcbController::eventFilter(QObject* watched, QEvent* event) {
    // A fitted view follows the size of its box.
    if (event->type() == QEvent::Resize && watched == page_.SB2->viewport() && page_.CBZoomP->isChecked()) {
        FitView(page_.CBZoomP, page_.IP, page_.SB2);
    }
    return QObject::eventFilter(watched, event);
}

void PcbController::pageShown(const QString& programFolder) {
    if (exampleLoaded_) { return; }
    const QFileInfo example(programFolder + "/ExamplePCB.bmp");
    if (!example.exists()) { return; }
    exampleLoaded_ = true;  // offered once per run, whatever its size
    if (example.size() == kExampleBoardSize) { openBoard(example.absoluteFilePath()); }
}

bool PcbController::openBoard(const QString& path) {
    if (!jobs_.start(new PcbLoadJob(exchange_, ctx_, QFile::encodeName(path).toStdString(), output_))) { return false; }
    loadingBoard_ = path;
    loadingChosen_ = false;
    return true;
}

Status PcbController::showLoadedBoard() {
    (void)showPicture();
    boardFile_ = loadingBoard_;
    if (loadingChosen_) { openFolder_ = QFileInfo(boardFile_).absolutePath(); }
    page_.SBPCBR->setEnabled(true);
    page_.SBPCBO->setEnabled(true);
    FitView(page_.CBZoomP, page_.IP, page_.SB2);
    return success();
}

Status PcbController::fillParameters() {
    const Status ranges = firstFailure({readRanged(page_.Edit2, page_.LDpi, FieldRanges::Dpi),
                                        readRanged(page_.Edit3, page_.Label5, FieldRanges::BeamDiameter),
                                        readRanged(page_.EGruboscP, page_.Label19, FieldRanges::Thickness),
                                        readRanged(gcode_.EMWPWM, gcode_.LMWPWM, FieldRanges::PwmMax)});
    if (!ranges) { return ranges; }
    PcbFields fields;
    fields.workFeedText = page_.ESzRPCB->text().toStdString();
    fields.rapidFeedText = page_.ESzJPCB->text().toStdString();
    fields.dpiText = page_.Edit2->text().toStdString();
    fields.beamDiameterText = page_.Edit3->text().toStdString();
    fields.focusZText = tools_.EOgniskowa->text().toStdString();
    fields.liftHeightText = page_.EUnoszenieP->text().toStdString();
    fields.plungeDepthText = page_.EZaglP->text().toStdString();
    fields.thicknessText = page_.EGruboscP->text().toStdString();
    fields.engravingCutter = page_.CBGrawerski->isChecked();
    fields.pwmMaxText = gcode_.EMWPWM->text().toStdString();
    return TakePcbSnapshot(ctx_.params, fields, systemDecimalSeparator());
}

Status PcbController::showPicture() {
    page_.IP->setPicture(std::move(output_.picture));
    output_.picture = QImage();
    return success();
}

Status PcbController::showRaster() {
    (void)showPicture();
    // The PCB programs switch no laser: every feed move burns.
    page_.PSciezkaPR->programGenerated(showProgram(page_.RERaster, std::exchange(ctx_.programLines, {})), gcode_, true);
    page_.SBZGPR->setEnabled(true);
    return success();
}

Status PcbController::showOutline() {
    page_.PSciezkaPO->programGenerated(showProgram(page_.RE3, std::exchange(ctx_.programLines, {})), gcode_, true);
    page_.SBZGPO->setEnabled(true);
    return success();
}

void PcbController::generate(bool raster) {
    if (jobs_.refuseWhileBusy()) { return; }
    if (!ctx_.pcb.loaded()) { return; }
    // A clean picture to start from, and the offsets for the board's extent at the DPI now in the field.
    pictureBeforeJob_ = page_.IP->picture();
    page_.IP->setPicture(paintClasses(ctx_.pcb.pcbClassMap, kPlainClasses));
    Status checked = fillParameters();
    if (checked) { checked = ApplyPcbStartPoint(ctx_); }
    if (!checked) {
        pictureBeforeJob_ = QImage();
        showWarning(page_.window(), QString::fromStdString(checked.error()));
        return;
    }
    if (raster) {
        jobs_.start(new PcbRasterJob(exchange_, ctx_, output_));
    } else {
        jobs_.start(new PcbOutlineJob(exchange_, ctx_, output_, systemDecimalSeparator()));
    }
}

void PcbController::preview(bool raster) {
    // The class layers belong to a running job until it ends.
    if (!ctx_.pcb.loaded() || jobs_.refuseWhileBusy()) { return; }
    if (raster) {
        page_.IP->setPicture(paintClasses(ctx_.pcb.rasterClassMap, kRasterPreviewClasses));
    } else {
        page_.IP->setPicture(paintClasses(ctx_.pcb.outlineClassMap, kOutlinePreviewClasses));
    }
}

void PcbController::writeUlp() {
    const QString folder = askFolder();
    if (folder.isEmpty()) { return; }
    Status written = WriteUlpFile(std::filesystem::path(folder.toStdU16String()));
    if (!written) { showWarning(page_.window(), QString::fromStdString(written.error())); }
}

}  // namespace bw::app
