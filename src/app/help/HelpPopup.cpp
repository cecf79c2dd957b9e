#include "help/HelpPopup.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace bw::app {

namespace {

// The popup's light yellow (RGB 255, 255, 225).
const QColor kPopupColour(255, 255, 225);
constexpr int kPictureBoxHeight = 105;

}  // namespace

HelpPopup::HelpPopup(QWidget* parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName("Form2");
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kPopupColour);
    colours.setColor(QPalette::Base, kPopupColour);
    setPalette(colours);
    setAutoFillBackground(true);

    REHelp = new QTextBrowser(this);
    REHelp->setObjectName("REHelp");
    REHelp->setLineWrapMode(QTextEdit::NoWrap);
    REHelp->setFrameShape(QFrame::Panel);
    REHelp->setFrameShadow(QFrame::Raised);
    REHelp->setLineWidth(5);
    REHelp->setPalette(colours);
    REHelp->viewport()->setCursor(Qt::ArrowCursor);
    REHelp->viewport()->installEventFilter(this);
    I1 = new QLabel(this);
    I1->setObjectName("I1");
    I1->setAlignment(Qt::AlignCenter);
    I1->setFixedHeight(kPictureBoxHeight);
    I1->installEventFilter(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(REHelp, 1);
    column->addWidget(I1);
}

void HelpPopup::showTopic(const QString& html) {
    I1->clear();  // no topic has a picture
    REHelp->clear();
    REHelp->setHtml(html);
    QTextDocument* document = REHelp->document();
    document->adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int frame = 2 * REHelp->frameWidth() + 2;
    const int textWidth = int(document->idealWidth() + 2 * document->documentMargin()) + frame;
    const int textHeight = int(document->size().height()) + frame;
    // Room for the text and its frame (the picture box shows only when it holds a picture), and
    // never taller than the screen allows.
    I1->setVisible(!I1->pixmap().isNull());
    const int pictureHeight = I1->isVisible() ? kPictureBoxHeight : 0;
    const int width = std::min(std::max(50, textWidth + 50), screen.width());
    const int height = std::min(textHeight + 35 + pictureHeight, screen.height() - 35);
    resize(width, height);
    move(screen.x() + (screen.width() - width) / 2, screen.y() + (screen.height() - height) / 2);
    show();
    REHelp->verticalScrollBar()->setValue(0);
}

bool HelpPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == REHelp->viewport() || watched == I1)) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace bw::app
