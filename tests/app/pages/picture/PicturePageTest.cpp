// The BMP/JPG page driven as a user would: open a picture (the file name
// injected where the dialog would ask), choose its resolution, move the tone
// sliders, generate, save and copy.

#include <algorithm>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "fields/DecimalSeparator.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramView.h"
#include "pages/picture/PictureController.h"
#include "shell/MainWindow.h"
#include "shell/ProfileController.h"
#include "widgets/PictureView.h"

using namespace window_test;

namespace {

// A picture whose every pixel differs from its neighbours: a colour gradient with a pattern.
QString writePicture(const QString& path, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y,
                             qRgb((x * 255) / std::max(1, width - 1), (y * 255) / std::max(1, height - 1),
                                  ((x / 7 + y / 5) % 2) * 200));
        }
    }
    if (!picture.save(path)) { qFatal("cannot write %s", qPrintable(path)); }
    return path;
}

struct Window {
    explicit Window(const QString& folder) : form(folder) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        child<QTabWidget>(form, "PC1")->setCurrentWidget(child<QWidget>(form, "TS2"));
    }
    void open(const QString& path) {
        form.bmp().askOpenFileName = [path](const QString& filter) {
            if (filter != "Picture File (*.bmp *.jpg)") { qWarning() << "unexpected filter" << filter; }
            return path;
        };
        child<QPushButton>(form, "SBOBMP")->click();
    }
    // Opens a picture that loads, and waits until it is on screen.
    void load(const QString& path) {
        open(path);
        QTRY_VERIFY(child<QPushButton>(form, "SBBMP")->isEnabled());
        QTRY_VERIFY(idle());
    }
    bool idle() { return !form.jobs().busy() && !form.bmp().toneJobPending(); }
    QImage view() { return child<bw::app::PictureView>(form, "I2")->picture(); }
    void typeInto(const char* name, const QString& text) {
        auto* field = child<QLineEdit>(form, name);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QString text(const char* name) { return child<QLineEdit>(form, name)->text(); }
    MainWindow form;
};

QString decimal(const char* text) {
    return QString::fromLatin1(text).replace('.', QChar::fromLatin1(bw::app::systemDecimalSeparator()));
}

}  // namespace

class PicturePageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(folder_.isValid()); }

    void resolutionWithKeepAspectRereadsThePicture() {
        Window w(folder_.path());
        w.load(writePicture(folder_.filePath("640x480.bmp"), 640, 480));
        QCOMPARE(w.text("ERXB"), QStringLiteral("640"));
        QCOMPARE(w.text("ERYB"), QStringLiteral("480"));
        QCOMPARE(child<QLabel>(w.form, "LRX")->text(), decimal("192.0 mm"));

        child<QCheckBox>(w.form, "CBProporcjeB")->click();
        QVERIFY(!child<QLineEdit>(w.form, "ERYB")->isEnabled());
        w.typeInto("ERXB", "1000");
        QCOMPARE(w.text("ERYB"), QStringLiteral("750"));
        QCOMPARE(child<QLabel>(w.form, "LRY")->text(), decimal("225.0 mm"));
        // The key release of the last digit has re-read the picture at 1000 x 750.
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.form.bmp().viewBitmap().width, 1000);
        QCOMPARE(w.form.bmp().viewBitmap().height, 750);
        QCOMPARE(w.view().size(), QSize(1000, 750));
    }

    void slidersChangeTheViewAndTheNewestRequestWins() {
        Window w(folder_.path());
        w.load(writePicture(folder_.filePath("grey.bmp"), 64, 48));
        const QImage before = w.view().copy();

        // Dragging: many changes in a row; the view ends on the last state.
        auto* brightness = child<QSlider>(w.form, "TBBrightness");
        for (int value = 1; value <= 255; value += 2) { brightness->setValue(value); }
        QTRY_VERIFY(w.idle());
        QCOMPARE(child<QLabel>(w.form, "LBrightness")->text(), QStringLiteral("255"));
        const QImage bright = w.view();
        for (int y = 0; y < bright.height(); y += 7) {
            for (int x = 0; x < bright.width(); x += 5) { QCOMPARE(bright.pixel(x, y), qRgb(255, 255, 255)); }
        }
        brightness->setValue(0);
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.view(), before);

        // Threshold mode: only black and white; the threshold bar is enabled, gamma is not.
        child<QCheckBox>(w.form, "CBSzarosc")->click();
        QVERIFY(child<QSlider>(w.form, "TBProg")->isEnabled());
        QVERIFY(!child<QSlider>(w.form, "TBGamma")->isEnabled());
        QVERIFY(!child<QLineEdit>(w.form, "EMocBMin")->isEnabled());
        QTRY_VERIFY(w.idle());
        const QImage mono = w.view();
        for (int y = 0; y < mono.height(); ++y) {
            for (int x = 0; x < mono.width(); ++x) {
                const QRgb pixel = mono.pixel(x, y);
                QVERIFY(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255));
            }
        }
        // Dithering unchecks grey and keeps the threshold disabled.
        child<QCheckBox>(w.form, "CBSzarosc")->click();
        child<QCheckBox>(w.form, "CBDithering")->click();
        QVERIFY(!child<QCheckBox>(w.form, "CBSzarosc")->isChecked());
        QVERIFY(!child<QSlider>(w.form, "TBProg")->isEnabled());
        QTRY_VERIFY(w.idle());

        // "Reset image" asks first; No changes nothing, Yes puts the bars back.
        child<QCheckBox>(w.form, "CBDithering")->click();
        child<QCheckBox>(w.form, "CBSzarosc")->click();
        child<QSlider>(w.form, "TBGamma")->setValue(250);
        QTRY_VERIFY(w.idle());
        QString question;
        bool answer = false;
        w.form.bmp().askYesNo = [&](const QString& q) {
            question = q;
            return answer;
        };
        child<QPushButton>(w.form, "SBResetujB")->click();
        QCOMPARE(question, QStringLiteral("Do you really want to reset the image?"));
        QCOMPARE(child<QSlider>(w.form, "TBGamma")->value(), 250);
        answer = true;
        child<QPushButton>(w.form, "SBResetujB")->click();
        QCOMPARE(child<QSlider>(w.form, "TBGamma")->value(), 100);
        QCOMPARE(child<QLabel>(w.form, "LGamma")->text(), decimal("1.00"));
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.view(), before);
    }

    void aProfileOrACancelledToneJobGivesBackTheDitheredPicture() {
        Window w(folder_.path());
        w.load(writePicture(folder_.filePath("tones.bmp"), 300, 200));
        child<QCheckBox>(w.form, "CBDithering")->click();
        QTRY_VERIFY(w.idle());
        // The tone job showed its share, not "busy".
        auto* bar = child<QProgressBar>(w.form, "PBJob");
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 100);
        const QImage dithered = w.view().copy();

        // A profile that switches back to dithering reprocesses the picture.
        w.form.profiles().askProfileName = [](const QString&) -> std::optional<QString> { return "dots"; };
        child<QPushButton>(w.form, "SpeedButton6")->click();
        child<QCheckBox>(w.form, "CBSzarosc")->click();
        QTRY_VERIFY(w.idle());
        QVERIFY(w.view() != dithered);
        emit child<QComboBox>(w.form, "CBProfilB")->activated(0);
        QVERIFY(child<QCheckBox>(w.form, "CBDithering")->isChecked());
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.view(), dithered);

        // A cancelled tone job keeps the picture on screen.
        child<QCheckBox>(w.form, "CBDithering")->click();
        child<QPushButton>(w.form, "SBCancelJob")->click();
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.form.statusBar()->currentMessage(), QStringLiteral("Cancelled"));
        QCOMPARE(w.view(), dithered);
        // The boxes say what the view shows, so Generate engraves the picture as seen.
        QVERIFY(child<QCheckBox>(w.form, "CBDithering")->isChecked());
        QVERIFY(takeMessages(w.form).isEmpty());
    }

    void generateGivesTheCommandLinesProgram() {
        Window w(folder_.path());
        const QString picture = writePicture(folder_.filePath("small.bmp"), 120, 90);
        w.load(picture);
        child<QSlider>(w.form, "TBGamma")->setValue(150);
        child<QSlider>(w.form, "TBContrast")->setValue(40);
        QTRY_VERIFY(w.idle());
        w.typeInto("ERXB", "100");
        w.typeInto("ERYB", "60");
        QTRY_VERIFY(w.idle());
        w.typeInto("ESkala", decimal("0.25"));
        w.typeInto("EMocBMin", "20");
        w.typeInto("EMocBMax", "80");
        child<QCheckBox>(w.form, "CBRPio")->click();
        // The horizontal box cannot be unchecked while it is the only direction...
        child<QCheckBox>(w.form, "CBRPoz")->click();
        QVERIFY(child<QCheckBox>(w.form, "CBRPoz")->isChecked() || child<QCheckBox>(w.form, "CBRPio")->isChecked());
        child<QCheckBox>(w.form, "CBRPoz")->click();
        QVERIFY(child<QCheckBox>(w.form, "CBRPoz")->isChecked());
        QVERIFY(child<QCheckBox>(w.form, "CBRPio")->isChecked());
        child<QRadioButton>(w.form, "RBSP5B")->click();

        child<QPushButton>(w.form, "SBBMP")->click();
        QTRY_VERIFY(child<QPushButton>(w.form, "SBZGB")->isEnabled());
        QTRY_VERIFY(w.idle());
        QVERIFY(w.form.statusBar()->currentMessage().startsWith("Program ready: "));
        const QByteArray expected =
            runCli({"image",        picture,      "--width",       "100", "--height",    "60", "--pixel-size", "0.25",
                    "--gamma",      "1.50",       "--contrast",    "40",  "--power-min", "20", "--power-max",  "80",
                    "--horizontal", "--vertical", "--start-point", "5"});
        QVERIFY(expected.startsWith(";(Header)\r\n"));
        QCOMPARE(QByteArray::fromStdString(child<bw::app::ProgramView>(w.form, "RE2")->fileText()), expected);

        child<QPushButton>(w.form, "SBKopiujB")->click();
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), expected);
        w.form.delivery().askSaveFileName = [&](const QString&) { return folder_.filePath("picture"); };
        child<QPushButton>(w.form, "SBZGB")->click();
        QCOMPARE(readAll(folder_.filePath("picture.g")), expected);
        QCOMPARE(takeMessages(w.form), QStringList{"OK"});
    }

    void aProgramTooLongToShowIsSavedWhole() {
        Window w(folder_.path());
        // A dithered 400 x 300 picture of fine detail gives more than 100000 entries.
        const QString picture = writePicture(folder_.filePath("busy.bmp"), 400, 300);
        child<QCheckBox>(w.form, "CBSzarosc")->click();
        child<QCheckBox>(w.form, "CBDithering")->click();
        w.load(picture);
        child<QCheckBox>(w.form, "CBRPio")->click();
        child<QPushButton>(w.form, "SBBMP")->click();
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(w.form, "SBZGB")->isEnabled(), 60000);
        QTRY_VERIFY(w.idle());
        QVERIFY(w.form.bmp().program().size() > 100000);
        QCOMPARE(child<bw::app::ProgramView>(w.form, "RE2")->toPlainText(),
                 QStringLiteral("Preview unavailable.\nG-code too long."));
        QVERIFY(w.form.context().raster.previewSuppressed);

        const QByteArray expected = runCli({"image", picture, "--mode", "dither", "--horizontal", "--vertical"});
        w.form.delivery().askSaveFileName = [&](const QString&) { return folder_.filePath("long.g"); };
        child<QPushButton>(w.form, "SBZGB")->click();
        QCOMPARE(readAll(folder_.filePath("long.g")), expected);
        takeMessages(w.form);
    }

    void tooLargeOrDamagedPicturesAreRefusedAndThePreviousStays() {
        Window w(folder_.path());
        w.load(writePicture(folder_.filePath("ok.bmp"), 30, 20));
        w.open(writePicture(folder_.filePath("wide.bmp"), 2001, 10));
        QCOMPARE(takeMessages(w.form), QStringList{"The image size is limited to 2000x2000 pixels."});
        QCOMPARE(w.text("ERXB"), QStringLiteral("30"));
        QCOMPARE(w.view().size(), QSize(30, 20));
        QTRY_VERIFY(w.idle());
        // Typing a size is not answered by one refusal per key.
        w.typeInto("ERXB", "40");
        QVERIFY(takeMessages(w.form).size() <= 1);
        QTRY_VERIFY(w.idle());

        // A damaged JPEG is refused the same way, and the picture on screen keeps its
        // name: "Reset image" reads it again, not the file that failed.
        writeFile(folder_.filePath("broken.jpg"), "\xFF\xD8\xFF\xE0 not a picture");
        w.open(folder_.filePath("broken.jpg"));
        QCOMPARE(takeMessages(w.form).size(), 1);
        w.form.bmp().askYesNo = [](const QString&) { return true; };
        child<QPushButton>(w.form, "SBResetujB")->click();
        QTRY_VERIFY(w.idle());
        QVERIFY(takeMessages(w.form).isEmpty());
        QCOMPARE(w.text("ERXB"), QStringLiteral("30"));
        QCOMPARE(w.view().size(), QSize(30, 20));
    }

    void aLargeGenerationKeepsTheWindowResponsive() {
        Window w(folder_.path());
        w.open(writePicture(folder_.filePath("large.bmp"), 2000, 1500));
        QTRY_VERIFY_WITH_TIMEOUT(w.idle() && child<QPushButton>(w.form, "SBBMP")->isEnabled(), 30000);
        w.typeInto("ERXB", "3000");
        w.typeInto("ERYB", "3000");
        QTRY_VERIFY_WITH_TIMEOUT(w.idle() && w.form.bmp().viewBitmap().height == 3000, 60000);

        QStringList statuses;
        connect(w.form.statusBar(), &QStatusBar::messageChanged, this, [&](const QString& text) { statuses << text; });
        int ticks = 0;
        QTimer heartbeat;
        connect(&heartbeat, &QTimer::timeout, this, [&] { ++ticks; });
        heartbeat.start(20);
        child<QPushButton>(w.form, "SBBMP")->click();
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(w.form, "SBZGB")->isEnabled(), 120000);
        heartbeat.stop();
        // The window kept answering while the job ran, and said how far it was.
        QVERIFY2(ticks > 5, qPrintable(QString::number(ticks)));
        // Progress texts come at most every few dozen milliseconds, so which percentages show depends on speed.
        QVERIFY2(std::any_of(statuses.begin(), statuses.end(),
                             [](const QString& text) {
                                 return text.startsWith("Print size 900x900mm - ") && !text.endsWith(" 100%") &&
                                        !text.endsWith(" 0%");
                             }),
                 qPrintable(statuses.join(" | ")));
        QCOMPARE(statuses.value(statuses.size() - 2), QStringLiteral("Print size 900x900mm - 100%"));
        QVERIFY(statuses.last().startsWith("Program ready: 2 3"));
        QVERIFY(w.form.context().raster.previewSuppressed);
        QTRY_VERIFY(w.idle());
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(PicturePageTest)
#include "PicturePageTest.moc"
