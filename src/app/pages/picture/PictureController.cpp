#include "pages/picture/PictureController.h"

#include <utility>

#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

#include "PictureReader.h"
#include "fields/DecimalSeparator.h"
#include "fields/FieldReader.h"
#include "help/HelpMode.h"
#include "i18n/MessageTexts.h"
#include "job/JobSteps.h"
#include "jobs/JobExchange.h"
#include "jobs/JobRunner.h"
#include "jobs/RasterJob.h"
#include "jobs/ToneJob.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramText.h"
#include "output/ToolpathPanel.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/picture/PicturePage.h"
#include "pages/tools/ToolsPage.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneProcessing.h"
#include "shell/MessageBoxes.h"

namespace bw::app {

namespace {

// The example picture is offered only in its shipped form.
constexpr qint64 kExamplePictureSize = 14145;
constexpr int kDefaultGamma = 100;

QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The engine's pixels as the view's image, without a copy while both live.
QImage imageOf(const PixelBuffer& pixels) {
    if (pixels.empty()) { return {}; }
    return QImage(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                  qsizetype(pixels.width) * 4, QImage::Format_RGB32);
}

}  // namespace

PictureController::PictureController(JobContext& ctx, PicturePage& page, ToolsPage& tools, GCodeSettingsPage& gcode,
                                     JobRunner& jobs, JobExchange& exchange, ProgramDelivery& delivery, HelpMode& help,
                                     QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      page_(page),
      tools_(tools),
      gcode_(gcode),
      jobs_(jobs),
      exchange_(exchange),
      delivery_(delivery),
      help_(help) {
    askOpenFileName = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(page_.window(), QString(), openFolder_, filter);
    };
    askYesNo = [this](const QString& question) {
        return QMessageBox::question(page_.window(), QString(), question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    exchange_.registerCode(JobCode::BmpParameters, [this] { return fillParameters(); });
    exchange_.registerCode(JobCode::BmpPictureReady, [this] { return showToned(); });
    exchange_.registerCode(JobCode::BmpProgramReady, [this] { return showProgramView(); });

    connect(page_.SBOBMP, &QPushButton::clicked, this, &PictureController::open);
    connect(page_.SBBMP, &QPushButton::clicked, this, &PictureController::generate);
    connect(page_.SBZGB, &QPushButton::clicked, this, &PictureController::save);
    connect(page_.SBKopiujB, &QPushButton::clicked, this, &PictureController::copy);
    connect(page_.SBResetujB, &QPushButton::clicked, this, &PictureController::resetImage);
    connect(page_.CBZoomB, &QCheckBox::clicked, this, [this] { FitView(page_.CBZoomB, page_.I2, page_.ScrollBox2); });
    // At least one raster direction stays selected.
    connect(page_.CBRPoz, &QCheckBox::clicked, this, [this] {
        if (!page_.CBRPio->isChecked()) { page_.CBRPoz->setChecked(true); }
    });
    connect(page_.CBRPio, &QCheckBox::clicked, this, [this] {
        if (!page_.CBRPoz->isChecked()) { page_.CBRPio->setChecked(true); }
    });
    // Only the user's clicks start jobs; loading settings merely sets the boxes.
    connect(page_.CBSzarosc, &QCheckBox::clicked, this, [this] { ToneModeChanged(page_.CBSzarosc); });
    connect(page_.CBDithering, &QCheckBox::clicked, this, [this] { ToneModeChanged(page_.CBDithering); });
    connect(page_.CBSzarosc, &QCheckBox::toggled, this, &PictureController::UpdateToneControls);
    connect(page_.CBDithering, &QCheckBox::toggled, this, &PictureController::UpdateToneControls);
    // A disabled bar is inert: a position set while it is disabled (a profile, a reset) changes no picture.
    for (QSlider* bar : {page_.TBGamma, page_.TBBrightness, page_.TBContrast}) {
        connect(bar, &QSlider::valueChanged, this, [this, bar] {
            showAdjustmentLabels();
            if (bar->isEnabled()) { RestartToneProcessing(); }
        });
    }
    connect(page_.TBProg, &QSlider::valueChanged, this, [this] {
        showAdjustmentLabels();
        if (page_.TBProg->isEnabled() && !ctx_.raster.pictureFileName.empty()) { RestartToneProcessing(); }
    });

    connect(page_.ERXB, &QLineEdit::textChanged, this, [this] { resolutionEdited(ResolutionField::Width); });
    connect(page_.ERYB, &QLineEdit::textChanged, this, [this] { resolutionEdited(ResolutionField::Height); });
    connect(page_.ESkala, &QLineEdit::textChanged, this, &PictureController::pixelSizeEdited);
    connect(page_.CBProporcjeB, &QCheckBox::clicked, this, &PictureController::keepAspectClicked);
    // With the box checked the height follows the width and cannot be edited (also when a profile checks it).
    connect(page_.CBProporcjeB, &QCheckBox::toggled, this, [this](bool keep) {
        page_.ERYB->setEnabled(!keep);
        page_.Label32->setEnabled(!keep);
    });
    connect(page_.ERXB, &QLineEdit::editingFinished, this, [this] { sizeRefused_ = false; });
    connect(page_.ERYB, &QLineEdit::editingFinished, this, [this] { sizeRefused_ = false; });
    page_.ERXB->installEventFilter(this);
    page_.ERYB->installEventFilter(this);
    page_.CBProporcjeB->installEventFilter(this);
    page_.ScrollBox2->viewport()->installEventFilter(this);

    // A tone request that came while another job ran is served as soon as it ends; a
    // cancelled job takes the waiting requests with it.
    connect(&jobs_, &JobRunner::jobCancelled, this, [this] {
        tonePending_ = false;
        if (runningTone_) { restoreShownTone(); }
    });
    connect(&jobs_, &JobRunner::jobEnded, this, [this] {
        runningTone_.reset();
        if (tonePending_) { startToneJob(); }
    });
    UpdateToneControls();
    showAdjustmentLabels();
}

bool PictureController::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyRelease && (watched == page_.ERXB || watched == page_.ERYB)) { commitResolution(); }
    if (type == QEvent::MouseButtonRelease && watched == page_.CBProporcjeB) {
        // After the box's own click handling, which may still change the fields.
        QMetaObject::invokeMethod(this, &PictureController::commitResolution, Qt::QueuedConnection);
    }
    if (type == QEvent::Resize && watched == page_.ScrollBox2->viewport() && page_.CBZoomB->isChecked()) {
        FitView(page_.CBZoomB, page_.I2, page_.ScrollBox2);
    }
    return QObject::eventFilter(watched, event);
}

void PictureController::pageShown(const QString& programFolder) {
    if (exampleLoaded_) { return; }
    const QFileInfo example(programFolder + "/ExampleBMP.jpg");
    if (!example.exists()) { return; }
    exampleLoaded_ = true;  // offered once per run, whatever its size
    if (example.size() != kExamplePictureSize) { return; }
    resetTrackBars();
    ctx_.raster.pictureFileName = QFile::encodeName(example.absoluteFilePath()).toStdString();
    LoadPicture(example.absoluteFilePath(), 0, 0);
}

// ---- Picture and resolution ----

void PictureController::open() {
    if (help_.ConsumeHelpClick(page_.SBOBMP)) { return; }
    const QString path = askOpenFileName(QStringLiteral("Picture File (*.bmp *.jpg)"));
    if (path.isEmpty()) { return; }
    // A picture that does not load changes nothing: the previous one stays with its
    // name, so that a later resize or "Reset image" reads the picture on screen.
    if (!LoadPicture(path, 0, 0)) { return; }
    openFolder_ = QFileInfo(path).absolutePath();
    resetTrackBars();
    ctx_.raster.pictureFileName = QFile::encodeName(path).toStdString();
}

bool PictureController::LoadPicture(const QString& path, int width, int height) {
    auto loaded = bw::LoadPicture(QFile::encodeName(path).toStdString(), width, height);
    if (!loaded) {
        // Too large, damaged or unreadable: the previous picture stays.
        if (!quietRefusal_) { showWarning(page_.window(), QString::fromStdString(loaded.error())); }
        return false;
    }
    ResolutionFields fields = readSizing();
    const PictureRequest request{width, height};
    RecordLoadedPicture(fields, ctx_.raster, request, loaded->pixels.width, loaded->pixels.height,
                        systemDecimalSeparator());
    showSizing(fields);
    source_ = std::make_shared<const PixelBuffer>(std::move(loaded->pixels));
    RestartToneProcessing();
    return true;
}

ResolutionFields PictureController::readSizing() const {
    ResolutionFields fields;
    fields.widthText = page_.ERXB->text().toStdString();
    fields.heightText = page_.ERYB->text().toStdString();
    fields.pixelSizeText = page_.ESkala->text().toStdString();
    fields.keepAspect = page_.CBProporcjeB->isChecked();
    fields.widthLabel = page_.LRX->text().toStdString();
    fields.heightLabel = page_.LRY->text().toStdString();
    return fields;
}

void PictureController::showSizing(const ResolutionFields& fields) {
    // The engine has already run the change handlers these writes would cause.
    showingSizing_ = true;
    const auto put = [](QLineEdit* edit, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (edit->text() != value) {
            const int caret = edit->cursorPosition();
            edit->setText(value);
            edit->setCursorPosition(std::min(caret, int(value.size())));
        }
    };
    put(page_.ERXB, fields.widthText);
    put(page_.ERYB, fields.heightText);
    put(page_.ESkala, fields.pixelSizeText);
    page_.LRX->setText(QString::fromStdString(fields.widthLabel));
    page_.LRY->setText(QString::fromStdString(fields.heightLabel));
    showingSizing_ = false;
}

void PictureController::resolutionEdited(ResolutionField sender) {
    if (showingSizing_) { return; }
    ResolutionFields fields = readSizing();
    ResolutionChanged(fields, sender, ctx_.raster, systemDecimalSeparator());
    showSizing(fields);
}

void PictureController::pixelSizeEdited() {
    if (showingSizing_) { return; }
    ResolutionFields fields = readSizing();
    PixelSizeChanged(fields, ctx_.raster, systemDecimalSeparator());
    showSizing(fields);
}

void PictureController::keepAspectClicked() {
    ResolutionFields fields = readSizing();
    KeepAspectClicked(fields, ctx_.raster, systemDecimalSeparator());
    showSizing(fields);
}

void PictureController::commitResolution() {
    if (ctx_.raster.pictureFileName.empty()) { return; }
    auto request = CommitResolution(readSizing(), ctx_.raster);
    if (request) {
        // A refused size is reported once per edit of the field, not again at every key.
        quietRefusal_ = sizeRefused_;
        sizeRefused_ = !LoadPicture(QFile::decodeName(QByteArray::fromStdString(ctx_.raster.pictureFileName)),
                                    request->width, request->height);
        quietRefusal_ = false;
    }
}

// ---- Tones ----

ToneAdjustments PictureController::adjustments() const {
    // Gamma, brightness and contrast act only while their bars are enabled (grey mode); a black and
    // white picture is shown and engraved as the threshold or the dithering made it.
    if (!page_.TBGamma->isEnabled()) { return ToneAdjustments{kDefaultGamma, 0, 0}; }
    return ToneAdjustments{page_.TBGamma->value(), page_.TBBrightness->value(), page_.TBContrast->value()};
}

void PictureController::showAdjustmentLabels() {
    const QChar separator = QLatin1Char(systemDecimalSeparator());
    const int gamma = page_.TBGamma->value();
    page_.LGamma->setText(
        QStringLiteral("%1%2%3").arg(gamma / 100).arg(separator).arg(gamma % 100, 2, 10, QLatin1Char('0')));
    page_.LBrightness->setText(QString::number(page_.TBBrightness->value()));
    page_.LContrast->setText(QString::number(page_.TBContrast->value()));
    page_.LProg->setText(QString::number(page_.TBProg->value()));
}

void PictureController::resetTrackBars() {
    // One tone job follows the reset, not one per bar.
    for (QSlider* bar : {page_.TBGamma, page_.TBBrightness, page_.TBContrast}) { bar->blockSignals(true); }
    page_.TBGamma->setValue(kDefaultGamma);
    page_.TBBrightness->setValue(0);
    page_.TBContrast->setValue(0);
    for (QSlider* bar : {page_.TBGamma, page_.TBBrightness, page_.TBContrast}) { bar->blockSignals(false); }
    showAdjustmentLabels();
}

void PictureController::UpdateToneControls() {
    const bool grey = page_.CBSzarosc->isChecked();
    const bool threshold = !grey && !page_.CBDithering->isChecked();
    for (QWidget* control :
         {static_cast<QWidget*>(page_.TBGamma), static_cast<QWidget*>(page_.TBBrightness),
          static_cast<QWidget*>(page_.TBContrast), static_cast<QWidget*>(page_.LG), static_cast<QWidget*>(page_.LB),
          static_cast<QWidget*>(page_.LC), static_cast<QWidget*>(page_.LGamma),
          static_cast<QWidget*>(page_.LBrightness), static_cast<QWidget*>(page_.LContrast)}) {
        control->setEnabled(grey);
    }
    for (QWidget* control : {static_cast<QWidget*>(page_.TBProg), static_cast<QWidget*>(page_.LProgCB),
                             static_cast<QWidget*>(page_.LProg)}) {
        control->setEnabled(threshold);
    }
    page_.LMocB1->setEnabled(grey);
    page_.EMocBMin->setEnabled(grey);
    page_.LMocB2->setEnabled(page_.LMocB->isEnabled());
    page_.EMocBMax->setEnabled(page_.LMocB->isEnabled());
}

void PictureController::ToneModeChanged(QObject* sender) {
    if (help_.ConsumeHelpClick(sender)) { return; }
    if (page_.CBSzarosc->isChecked() && sender == page_.CBSzarosc) { page_.CBDithering->setChecked(false); }
    if (page_.CBDithering->isChecked()) { page_.CBSzarosc->setChecked(false); }
    RestartToneProcessing();
    UpdateToneControls();
}

void PictureController::RestartToneProcessing() {
    // Without a picture there is nothing to process.
    if (!source_) { return; }
    tonePending_ = true;
    if (!jobs_.busy()) { startToneJob(); }
}

void PictureController::startToneJob() {
    if (!tonePending_ || jobs_.busy()) { return; }
    tonePending_ = false;
    // Mode and threshold as they are now: the newest request wins over those that came meanwhile.
    runningTone_ = toneSettings();
    const ToneMode mode = toneModeFor(runningTone_->greyscale, runningTone_->dithering);
    jobs_.start(new ToneJob(exchange_, source_, mode, runningTone_->threshold, toned_));
}

PictureController::ToneSettings PictureController::toneSettings() const {
    return ToneSettings{page_.CBSzarosc->isChecked(), page_.CBDithering->isChecked(), page_.TBProg->value()};
}

void PictureController::restoreShownTone() {
    // Nothing toned is on view yet: the boxes stay as the user set them.
    if (!shownTone_) { return; }
    page_.CBSzarosc->setChecked(shownTone_->greyscale);
    page_.CBDithering->setChecked(shownTone_->dithering);
    page_.TBProg->blockSignals(true);
    page_.TBProg->setValue(shownTone_->threshold);
    page_.TBProg->blockSignals(false);
    showAdjustmentLabels();
}

Status PictureController::showToned() {
    // A newer request waits: this result is already out of date, and its size must not
    // overwrite what the user is typing.
    if (tonePending_) { return success(); }
    shownTone_ = runningTone_;
    view_ = toned_;
    ApplyAdjustments(view_, adjustments());
    page_.I2->setPicture(imageOf(view_));
    page_.SBBMP->setEnabled(true);
    ResolutionFields fields = readSizing();
    SetResolutionField(fields, ResolutionField::Width, std::to_string(view_.width), ctx_.raster,
                       systemDecimalSeparator());
    SetResolutionField(fields, ResolutionField::Height, std::to_string(view_.height), ctx_.raster,
                       systemDecimalSeparator());
    showSizing(fields);
    FitView(page_.CBZoomB, page_.I2, page_.ScrollBox2);
    return success();
}

void PictureController::resetImage() {
    if (help_.ConsumeHelpClick(page_.SBResetujB)) { return; }
    if (!askYesNo(qtext(messageText(Message::ConfirmResetImage, ctx_.languageIndex)))) { return; }
    resetTrackBars();
    page_.TBProg->blockSignals(true);
    page_.TBProg->setValue(kDefaultToneThreshold);
    page_.TBProg->blockSignals(false);
    showAdjustmentLabels();
    const QString path = QFile::decodeName(QByteArray::fromStdString(ctx_.raster.pictureFileName));
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        LoadPicture(path, 0, 0);
    } else {
        RestartToneProcessing();
    }
}

// ---- Raster program ----

void PictureController::generate() {
    if (help_.ConsumeHelpClick(page_.SBBMP)) { return; }
    if (jobs_.refuseWhileBusy()) { return; }
    Status origin = SetRasterOrigin(ctx_, page_.ESkala->text().toStdString(), view_, systemDecimalSeparator());
    if (!origin) {
        showWarning(page_.window(), QString::fromStdString(origin.error()));
        return;
    }
    // The view keeps the last program until the new one is handed back (a cancelled job leaves it).
    jobs_.start(new RasterJob(exchange_, ctx_, jobPicture_, systemDecimalSeparator()));
}

Status PictureController::fillParameters() {
    const Status ranges = firstFailure({readRanged(page_.ESkala, page_.Label8, FieldRanges::PixelSize),
                                        readRanged(page_.EGruboscB, page_.Label18, FieldRanges::Thickness),
                                        readRanged(tools_.EEkstruzja, tools_.Label13, FieldRanges::DirAxisStep),
                                        readRanged(gcode_.EMWPWM, gcode_.LMWPWM, FieldRanges::PwmMax)});
    if (!ranges) { return ranges; }
    RasterJobFields fields;
    fields.pixelSizeText = page_.ESkala->text().toStdString();
    fields.focusZText = tools_.EOgniskowa->text().toStdString();
    fields.thicknessText = page_.EGruboscB->text().toStdString();
    fields.workFeedText = page_.ESzRBMP->text().toStdString();
    fields.rapidFeedText = page_.ESzJBMP->text().toStdString();
    fields.horizontal = page_.CBRPoz->isChecked();
    fields.vertical = page_.CBRPio->isChecked();
    fields.frame = page_.CBRamkaB->isChecked();
    fields.pwmMaxText = gcode_.EMWPWM->text().toStdString();
    fields.powerMinText = page_.EMocBMin->text().toStdString();
    fields.powerMaxText = page_.EMocBMax->text().toStdString();
    fields.dirAxisStepText = tools_.EEkstruzja->text().toStdString();
    fields.headerText = readProgramText(gcode_.REHeaderU);
    fields.footerText = readProgramText(gcode_.REFooterU);
    fields.maskText = gcode_.EMaskaU->text().toStdString();
    Status filled = FillRasterParameters(ctx_.params, fields, view_, systemDecimalSeparator());
    if (filled) { jobPicture_ = view_; }
    return filled;
}

Status PictureController::showProgramView() {
    // The page keeps its program: another page's job reuses the shared list.
    program_ = std::make_shared<const ProgramLines>(std::exchange(ctx_.programLines, {}));
    ctx_.raster.previewSuppressed = program_->size() > kRasterViewLimit;
    if (ctx_.raster.previewSuppressed) {
        page_.RE2->setMessage(QString::fromStdString(RasterTooLongText(ctx_.languageIndex)).replace("\r\n", "\n"));
    } else {
        page_.RE2->setProgram(program_);
    }
    page_.PSciezkaB->programGenerated(program_, gcode_);
    jobPicture_ = PixelBuffer{};
    page_.SBZGB->setEnabled(true);
    page_.SBKopiujB->setEnabled(true);
    if (programShown) { programShown(fileLineCount(*program_)); }
    return success();
}

const ProgramLines& PictureController::program() const {
    static const ProgramLines kNone;
    return program_ ? *program_ : kNone;
}

void PictureController::save() {
    if (help_.ConsumeHelpClick(page_.SBZGB)) { return; }
    delivery_.save(program().text(), gcode_.RGRozszerzenie->itemIndex(),
                   QFile::decodeName(QByteArray::fromStdString(ctx_.raster.pictureFileName)));
}

void PictureController::copy() {
    if (help_.ConsumeHelpClick(page_.SBKopiujB)) { return; }
    delivery_.copy(QString::fromStdString(program().text()));
}

}  // namespace bw::app
