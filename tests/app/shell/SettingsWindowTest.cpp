// Settings as the window keeps them: the controls start at the form defaults
// of the settings table, profiles are saved, listed, loaded and deleted, and
// "Last.ini" carries the state from one run to the next (which values a load
// resets is the settings store's own test).

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "fields/DecimalSeparator.h"
#include "settings/FormDefaults.h"
#include "shell/MainWindow.h"
#include "shell/ProfileController.h"
#include "widgets/RadioGroup.h"

using namespace window_test;

namespace {

QString sys(QString text) { return text.replace(',', QChar::fromLatin1(bw::app::systemDecimalSeparator())); }

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder_.reset(new QTemporaryDir);
        QVERIFY(folder_->isValid());
    }

    void controlsStartAtTheFormDefaultsOfTheSettingsTable() {
        MainWindow window(folder_->path());
        for (const bw::FormField& field : bw::FormFields()) {
            const QString id = QString::fromUtf8(field.id.data(), qsizetype(field.id.size()));
            if (id == bw::kStartPointId) {
                QCOMPARE(window.context().startPoint, field.value);
                continue;
            }
            if (id == bw::kLanguageIndexId) {
                QCOMPARE(window.context().languageIndex, field.value);
                continue;
            }
            QWidget* control = window.findChild<QWidget*>(id);
            QVERIFY2(control != nullptr, qPrintable(id));
            const QString text = QString::fromUtf8(field.text.data(), qsizetype(field.text.size()));
            switch (field.kind) {
                case bw::FormFieldKind::Text:
                    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                        QCOMPARE(edit->text(), sys(text));
                        QCOMPARE(edit->property("tag").toInt(), field.numericTag);
                    } else {
                        QCOMPARE(qobject_cast<QPlainTextEdit*>(control)->toPlainText(),
                                 QString(text).replace("\r\n", "\n"));
                    }
                    break;
                case bw::FormFieldKind::Flag:
                    QVERIFY2(qobject_cast<QAbstractButton*>(control)->isChecked() == (field.value != 0),
                             qPrintable(id));
                    break;
                case bw::FormFieldKind::Index:
                    if (auto* list = qobject_cast<QComboBox*>(control)) {
                        QCOMPARE(list->currentIndex(), field.value);
                    } else if (auto* group = qobject_cast<bw::app::RadioGroup*>(control)) {
                        QCOMPARE(group->itemIndex(), field.value);
                    } else {
                        QCOMPARE(qobject_cast<QSlider*>(control)->value(), field.value);
                    }
                    break;
            }
        }
    }

    void aDxfProfileIsSavedListedLoadedAndDeleted() {
        MainWindow window(folder_->path());
        window.show();
        auto* list = child<QComboBox>(window, "CBProfilD");
        auto* thickness = child<QLineEdit>(window, "EGrubosc");
        QCOMPARE(list->count(), 0);
        thickness->setText("3");
        child<QCheckBox>(window, "CBDotnij")->setChecked(true);
        window.profiles().askProfileName = [](const QString& proposed) -> std::optional<QString> {
            if (!proposed.isEmpty()) { qWarning() << "unexpected proposal" << proposed; }
            return QStringLiteral("Wood 3mm");
        };
        child<QPushButton>(window, "SpeedButton4")->click();
        const QString file = folder_->filePath("Settings/Wood 3mm.cpd");
        QVERIFY(readAll(file).startsWith("[DXF]"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->currentText(), QStringLiteral("Wood 3mm"));

        // A cancelled name writes nothing and keeps the selection.
        window.profiles().askProfileName = [](const QString& proposed) -> std::optional<QString> {
            if (proposed != "Wood 3mm") { qWarning() << "unexpected proposal" << proposed; }
            return std::nullopt;
        };
        child<QPushButton>(window, "SpeedButton4")->click();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->currentIndex(), 0);

        // Choosing the entry loads it; the pass count follows.
        thickness->setText("1");
        child<QCheckBox>(window, "CBDotnij")->setChecked(false);
        emit list->activated(0);
        QCOMPARE(thickness->text(), QStringLiteral("3"));
        QVERIFY(child<QCheckBox>(window, "CBDotnij")->isChecked());
        QCOMPARE(child<QLabel>(window, "LPrzejsciaD")->text(), QStringLiteral("8"));

        // Deleting asks first; the only profile gone, the list is empty.
        QString asked;
        window.profiles().askYesNo = [&](const QString& question) {
            asked = question;
            return true;
        };
        child<QPushButton>(window, "SpeedButton5")->click();
        QCOMPARE(asked, QStringLiteral("Delete Wood 3mm?"));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(list->count(), 0);
    }

    void lastStateIsWrittenAtCloseAndRestored() {
        {
            MainWindow window(folder_->path());
            window.show();
            child<QLineEdit>(window, "Edit1")->setText("8000");
            child<QLineEdit>(window, "EGruboscT")->setText(sys("1,5"));
            child<QRadioButton>(window, "CBKwadraty")->setChecked(true);
            child<QRadioButton>(window, "RBSP3B")->click();
            window.close();
        }
        const QByteArray last = readAll(folder_->filePath("Settings/Last.ini"));
        QVERIFY2(last.startsWith("[LAST]"), last.constData());
        QVERIFY(last.contains("Pozycja startowa=3"));

        MainWindow window(folder_->path());
        QCOMPARE(child<QLineEdit>(window, "Edit1")->text(), QStringLiteral("8000"));
        QCOMPARE(child<QLineEdit>(window, "EGruboscT")->text(), sys("1,5"));
        QVERIFY(child<QRadioButton>(window, "CBKwadraty")->isChecked());
        QCOMPARE(window.context().startPoint, 3);
        QVERIFY(child<QRadioButton>(window, "RBSP3D")->isChecked());
        QVERIFY(child<QRadioButton>(window, "RBSP3P")->isChecked());
    }

    void aGCodeProfileSelectedAtCloseIsLoadedAtTheNextStart() {
        {
            MainWindow window(folder_->path());
            window.show();
            child<QLineEdit>(window, "EMaskaU")->setText("[G] [X] [Y]");
            child<QPlainTextEdit>(window, "REHeaderU")->setPlainText("A\nB");
            child<QRadioButton>(window, "RGRozszerzenie2")->click();
            window.profiles().askProfileName = [](const QString&) -> std::optional<QString> { return "grbl"; };
            child<QPushButton>(window, "SBZapiszU")->click();
            QVERIFY(readAll(folder_->filePath("Settings/grbl.gcd")).contains("Naglowek=410D0A42"));
            // Back to the defaults in the fields, the profile still selected.
            child<QLineEdit>(window, "EMaskaU")->setText("[G]");
            window.close();
        }
        MainWindow window(folder_->path());
        QCOMPARE(child<QComboBox>(window, "CBProfilS")->currentText(), QStringLiteral("grbl"));
        QCOMPARE(child<QLineEdit>(window, "EMaskaU")->text(), QStringLiteral("[G] [X] [Y]"));
        QCOMPARE(child<QPlainTextEdit>(window, "REHeaderU")->toPlainText(), QStringLiteral("A\nB"));
        QCOMPARE(child<bw::app::RadioGroup>(window, "RGRozszerzenie")->itemIndex(), 2);
        // The preview was rebuilt with the loaded mask.
        QCOMPARE(child<QPlainTextEdit>(window, "REPodgladU")->toPlainText().split('\n').value(0),
                 QStringLiteral("G0 X0.0000 Y0.0000"));
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
