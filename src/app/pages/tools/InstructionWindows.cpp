#include "pages/tools/InstructionWindows.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include "i18n/HelpTopics.h"

namespace bw::app {

namespace {

QString resourcePath(std::string_view fileName) {
    return QString::fromUtf8(kHelpResourcePrefix.data(), qsizetype(kHelpResourcePrefix.size())) +
           QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
}

// A white, borderless, read-only rich-text view without wrapping, as tall as its text.
QTextBrowser* makeInstructionView(const QString& name, int width, int height) {
    auto* view = new QTextBrowser;
    view->setObjectName(name);
    view->setFrameShape(QFrame::NoFrame);
    view->setLineWrapMode(QTextEdit::NoWrap);
    view->setStyleSheet(QStringLiteral("background: white;"));
    // As wide as the window allows (no sideways scrolling), at least as tall as designed.
    view->setMinimumHeight(height);
    view->setMaximumWidth(width);
    view->setOpenExternalLinks(true);
    return view;
}

QLabel* makePicture(const QString& name, std::string_view fileName) {
    auto* picture = new QLabel;
    picture->setObjectName(name);
    picture->setPixmap(QPixmap(resourcePath(fileName)));
    picture->setAlignment(Qt::AlignLeft);
    return picture;
}

void loadText(QTextBrowser* view, Instruction part) {
    view->setHtml(helpResourceText(instructionFile(part)));
    view->moveCursor(QTextCursor::Start);
}

}  // namespace

QString helpResourceText(std::string_view fileName) {
    QFile file(resourcePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) { return {}; }
    return QString::fromUtf8(file.readAll());
}

FocusInstructions::FocusInstructions(QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
    setWindowTitle(QStringLiteral("Instruction"));
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: white; }"));
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    REHelp = makeInstructionView("REHelp", 1046, 329);
    Image1 = makePicture("Image1", instructionPictureFile(InstructionPicture::CoarseExample));
    REHelp2 = makeInstructionView("REHelp2", 1049, 197);
    Image2 = makePicture("Image2", instructionPictureFile(InstructionPicture::FineExample));
    REHelp3 = makeInstructionView("REHelp3", 1049, 197);
    for (QWidget* part : {static_cast<QWidget*>(REHelp), static_cast<QWidget*>(Image1), static_cast<QWidget*>(REHelp2),
                          static_cast<QWidget*>(Image2), static_cast<QWidget*>(REHelp3)}) {
        column->addWidget(part);
    }
    ScrollBox1->setWidget(content);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox1);
    setFixedSize(1073, 633);
}

void FocusInstructions::showInstruction() {
    loadText(REHelp, Instruction::FocusPart1);
    loadText(REHelp2, Instruction::FocusPart2);
    loadText(REHelp3, Instruction::FocusPart3);
    // Each part as tall as its text, so that the window scrolls as one page.
    for (QTextBrowser* view : {REHelp, REHelp2, REHelp3}) {
        view->document()->adjustSize();
        view->setMinimumHeight(int(view->document()->size().height()) + 10);
    }
    show();
    raise();
}

GreyscaleInstructions::GreyscaleInstructions(QWidget* parent) : QDialog(parent) {
    setObjectName("Form5");
    setWindowTitle(QStringLiteral("Instruction"));
    REHelp = makeInstructionView("REHelp", 100, 100);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(REHelp);
    resize(705, 177);
}

void GreyscaleInstructions::showInstruction() {
    loadText(REHelp, Instruction::Greyscale);
    show();
    raise();
}

}  // namespace bw::app
