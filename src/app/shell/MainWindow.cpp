#include "shell/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include "fields/DecimalSeparator.h"
#include "fields/WindowFields.h"
#include "help/HelpMode.h"
#include "i18n/TextPair.h"
#include "jobs/JobExchange.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "output/ToolpathPanel.h"
#include "pages/dxf/DxfController.h"
#include "pages/dxf/DxfPage.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/gcode/MaskPreviewUpdater.h"
#include "pages/pcb/PcbController.h"
#include "pages/pcb/PcbPage.h"
#include "pages/picture/PictureController.h"
#include "pages/picture/PicturePage.h"
#include "pages/tools/CalibrationController.h"
#include "pages/tools/ToolsPage.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"
#include "shell/ExampleFolder.h"
#include "shell/LanguageSwitch.h"
#include "shell/MessageBoxes.h"
#include "shell/ProfileController.h"
#include "widgets/NumericEdit.h"

using namespace bw::app;

namespace {

// The settings folder beside the program, or the user's one when that cannot be written.
bw::SettingsLocation settingsLocationFor(const QString& programFolder) {
    const std::filesystem::path folder(programFolder.toStdU16String());
    auto location = bw::ResolveSettingsFolder(folder, qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                              QDir::homePath().toStdString());
    return location ? *location : bw::SettingsLocation{folder / "Settings", false, location.error()};
}

// "Program ready: 12 345 lines": thousands set apart by a space whatever the locale.
QString programReadyText(std::size_t lines) {
    QString digits = QString::number(qulonglong(lines));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) { digits.insert(at, QLatin1Char(' ')); }
    return QStringLiteral("Program ready: %1 %2")
        .arg(digits, lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
}

constexpr auto kWindowTitle = "Beamwright - by Corvane v 1.1";

}  // namespace

MainWindow::MainWindow(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder) {
    setObjectName("Form1");
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    buildPages();

    SB1 = new QStatusBar(this);
    SB1->setObjectName("SB1");
    setStatusBar(SB1);

    jobs_ = new JobRunner(this, SB1);
    exchange_ = new JobExchange(SB1, this);
    delivery_ = std::make_unique<ProgramDelivery>(this);
    maskPreview_ = new MaskPreviewUpdater(ctx_, *gcodePage_, *toolsPage_, *jobs_, SB1, this);
    help_ = new HelpMode(this);
    dxf_ = new DxfController(ctx_, *dxfPage_, *toolsPage_, *gcodePage_, *jobs_, *exchange_, *delivery_, workBitmap_,
                             *help_, this);
    bmp_ =
        new PictureController(ctx_, *bmpPage_, *toolsPage_, *gcodePage_, *jobs_, *exchange_, *delivery_, *help_, this);
    pcb_ = new PcbController(ctx_, *pcbPage_, *toolsPage_, *gcodePage_, *jobs_, *exchange_, *delivery_, this);
    calibration_ = new CalibrationController(ctx_, *toolsPage_, *gcodePage_, *jobs_, *delivery_, *help_, this);

    const auto setStart = [this](int point) { setStartPoint(point); };
    const bw::SettingsLocation settings = settingsLocationFor(programFolder_);
    profiles_ = new ProfileController(this, ctx_, settings.folder,
                                      {{{bw::ProfileKind::GCode, gcodePage_->GroupBox16},
                                        {bw::ProfileKind::Dxf, dxfPage_->GroupBox13},
                                        {bw::ProfileKind::Bmp, bmpPage_->GroupBox18},
                                        {bw::ProfileKind::Pcb, pcbPage_->GroupBox17}}},
                                      setStart, this);
    profiles_->helpModeArmed = [this] { return help_->armed(); };
    profiles_->profileLoaded = [this](bw::ProfileKind kind) {
        if (kind == bw::ProfileKind::Dxf) { dxf_->updatePassCount(); }
        // The grey and dithering boxes may have changed: the picture follows them.
        bmp_->RestartToneProcessing();
    };
    for (StartPointGroup* group : {dxfPage_->GBPktStartuD, bmpPage_->GBPktStartuB, pcbPage_->GBPktStartuP}) {
        connect(group, &StartPointGroup::startPointClicked, this, &MainWindow::setStartPoint);
    }
    connect(toolsPage_->SBJezyk, &QPushButton::clicked, this, &MainWindow::toggleLanguage);
    const auto programReady = [this](std::size_t lines) { SB1->showMessage(programReadyText(lines)); };
    dxf_->programShown = programReady;
    bmp_->programShown = programReady;
    // The title names the current page's file once its load job has ended.
    connect(jobs_, &JobRunner::jobEnded, this, &MainWindow::updateTitle);
    help_->install();
    fitToScreen();
    startUp();
    // Said once: the window keeps working with the user's folder.
    if (!settings.notice.empty()) { showWarning(this, QString::fromStdString(settings.notice)); }
    connect(PC1, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
}

MainWindow::~MainWindow() { jobs_->cancelAndWait(); }

void MainWindow::buildPages() {
    PC1 = new QTabWidget(this);
    PC1->setObjectName("PC1");
    PC1->setTabPosition(QTabWidget::East);
    dxfPage_ = new DxfPage;
    bmpPage_ = new PicturePage;
    pcbPage_ = new PcbPage;
    toolsPage_ = new ToolsPage;
    gcodePage_ = new GCodeSettingsPage;
    PC1->addTab(dxfPage_, "DXF");
    PC1->addTab(bmpPage_, "BMP/JPG");
    PC1->addTab(pcbPage_, "PCB");
    PC1->addTab(toolsPage_, "Tools");
    PC1->addTab(gcodePage_, "G-CODE Settings");
    // The PCB and Tools pages are complete but not offered in the tab row.
    PC1->setTabVisible(PC1->indexOf(pcbPage_), false);
    PC1->setTabVisible(PC1->indexOf(toolsPage_), false);
    setCentralWidget(PC1);
}

void MainWindow::startUp() {
    profiles_->refreshAll();
    loadStartupState();
    // The language is English at every start; numeric fields get the system's separator.
    ctx_.languageIndex = bw::kStartLanguageIndex;
    normalizeNumericFields();
    ApplyLanguage(this, ctx_.languageIndex);
    pageChanged(PC1->currentIndex());
    maskPreview_->rebuild();
}

void MainWindow::shutDown() {
    if (shutDownDone_) { return; }
    shutDownDone_ = true;
    jobs_->cancelAndWait();
    normalizeNumericFields();
    saveLastState();
}

void MainWindow::loadStartupState() {
    // "Last.ini" (selecting the stored list entries), then the selected profiles in the order
    // G-code, DXF, BMP/JPG, PCB.
    bw::FieldValues fields;
    bw::Status loaded = bw::LoadStartupState(profiles_->settingsFolder(), fields, systemDecimalSeparator());
    applyFields(this, ctx_, fields, [this](int point) { setStartPoint(point); });
    if (!loaded) { showWarning(this, QString::fromStdString(loaded.error())); }
}

void MainWindow::saveLastState() {
    const bw::FieldValues fields = collectFields(this, ctx_, bw::SettingsSection::Last);
    bw::Status saved = bw::SaveSettings(profiles_->settingsFolder(), bw::kLastStateFile, bw::SettingsSection::Last,
                                        fields, systemDecimalSeparator());
    if (!saved) {
        QMessageBox::warning(
            this, QStringLiteral("Beamwright"),
            QStringLiteral("The window's state could not be saved:\n%1").arg(QString::fromStdString(saved.error())));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shutDown();
    QMainWindow::closeEvent(event);
}

void MainWindow::toggleLanguage() {
    if (help_->armed()) { return; }
    ctx_.languageIndex = bw::nextLanguageIndex(ctx_.languageIndex);
    ApplyLanguage(this, ctx_.languageIndex);
}

void MainWindow::setStartPoint(int startPoint) {
    ctx_.startPoint = startPoint;
    for (QChar page : {QChar('D'), QChar('B'), QChar('P')}) {
        auto* button = findChild<QRadioButton*>(QStringLiteral("RBSP%1%2").arg(startPoint).arg(page));
        if (button != nullptr) { button->setChecked(true); }
    }
}

void MainWindow::fitToScreen() {
    // Every field stays usable down to the minimum size; the default fits a 1366 x 768 screen
    // with its task bar and the window frame.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    QSize size(1280, 700);
    if (const QScreen* screen = this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 40));
    }
    resize(size.expandedTo(minimumSize()));
}

void MainWindow::updateTitle() {
    const QWidget* page = PC1->currentWidget();
    std::string path;
    if (page == dxfPage_ && dxf_->drawingShown()) { path = ctx_.dxf.dxfFileName; }
    if (page == bmpPage_) { path = ctx_.raster.pictureFileName; }
    if (page == pcbPage_) { path = QFile::encodeName(pcb_->boardFile()).toStdString(); }
    const QString name = QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
    setWindowTitle(name.isEmpty() ? QString::fromLatin1(kWindowTitle)
                                  : QStringLiteral("%1 - %2").arg(QString::fromLatin1(kWindowTitle), name));
}

void MainWindow::pageChanged(int index) {
    // A status text belongs to the page that showed it.
    SB1->clearMessage();
    QWidget* page = PC1->widget(index);
    ToolpathPanel::showEstimateOf(page);
    const QString examples = exampleFolderFor(programFolder_);
    if (page == dxfPage_) { dxf_->pageShown(examples); }
    if (page == bmpPage_) { bmp_->pageShown(examples); }
    if (page == pcbPage_) { pcb_->pageShown(examples); }
    updateTitle();
}

void MainWindow::normalizeNumericFields() {
    for (NumericEdit* field : findChildren<NumericEdit*>()) {
        if (field->tag() > 0) { field->normalize(); }
    }
}
