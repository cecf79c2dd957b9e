#include "output/ProgramView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace bw::app {

namespace {

constexpr int kMargin = 4;

QString qtext(std::string_view bytes) { return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())); }

// A line as the screen shows it: without the carriage return of a CR LF inside an entry.
std::string_view withoutCarriageReturn(std::string_view bytes) {
    if (!bytes.empty() && bytes.back() == '\r') { bytes.remove_suffix(1); }
    return bytes;
}

}  // namespace

ProgramView::ProgramView(const QString& name, QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(name);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void ProgramView::setProgram(std::shared_ptr<const ProgramLines> program) {
    program_ = std::move(program);
    anchor_ = cursor_ = Position{};
    selecting_ = false;
    indexLines();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
    emit programChanged();
}

void ProgramView::setMessage(const QString& text) {
    auto lines = std::make_shared<ProgramLines>();
    for (const QString& line : text.split(QLatin1Char('\n'))) { lines->append(line.toStdString()); }
    setProgram(std::move(lines));
}

void ProgramView::clear() { setProgram(nullptr); }

void ProgramView::indexLines() {
    tallEntries_.clear();
    longestLine_ = 0;
    lineCount_ = 0;
    if (!program_) { return; }
    // One pass over the entries, a memchr each: the longest line, and the entries that hold line
    // breaks of their own. Lines of other entries map to their entry by arithmetic.
    std::size_t entry = 0;
    program_->forEachEntry([&](std::string_view text) {
        std::size_t lines = 1;
        const char* from = text.data();
        const char* const end = text.data() + text.size();
        while (const auto* found = static_cast<const char*>(std::memchr(from, '\n', std::size_t(end - from)))) {
            longestLine_ = std::max(longestLine_, std::size_t(found - from));
            ++lines;
            from = found + 1;
        }
        longestLine_ = std::max(longestLine_, std::size_t(end - from));
        if (lines > 1) { tallEntries_.push_back({entry, lineCount_, lines}); }
        lineCount_ += lines;
        ++entry;
    });
}

std::size_t ProgramView::lineCount() const { return lineCount_; }

std::string_view ProgramView::lineBytes(std::size_t index) const {
    if (!program_ || index >= lineCount_) { return {}; }
    // The last tall entry starting at or before the line.
    auto after = std::upper_bound(tallEntries_.begin(), tallEntries_.end(), index,
                                  [](std::size_t line, const TallEntry& tall) { return line < tall.firstLine; });
    if (after == tallEntries_.begin()) { return program_->entry(index); }
    const TallEntry& tall = *(after - 1);
    if (index >= tall.firstLine + tall.lines) {
        return program_->entry(tall.entry + 1 + (index - tall.firstLine - tall.lines));
    }
    std::string_view text = program_->entry(tall.entry);
    for (std::size_t skip = index - tall.firstLine; skip > 0; --skip) { text.remove_prefix(text.find('\n') + 1); }
    return withoutCarriageReturn(text.substr(0, text.find('\n')));
}

QString ProgramView::line(std::size_t index) const { return qtext(lineBytes(index)); }

std::string ProgramView::fileText() const { return program_ ? program_->text() : std::string(); }

QString ProgramView::toPlainText() const {
    QStringList lines;
    for (std::size_t i = 0; i < lineCount_; ++i) { lines << line(i); }
    return lines.join(QLatin1Char('\n'));
}

// ---- Selection and copying ----

void ProgramView::selectAll() {
    if (lineCount_ == 0) { return; }
    anchor_ = Position{};
    cursor_ = Position{lineCount_ - 1, int(line(lineCount_ - 1).size())};
    viewport()->update();
}

QString ProgramView::selectedText() const {
    const Position from = std::min(anchor_, cursor_);
    const Position to = std::max(anchor_, cursor_);
    if (from == to || lineCount_ == 0) { return {}; }
    std::string text;
    for (std::size_t i = from.line; i <= to.line && i < lineCount_; ++i) {
        const QString whole = line(i);
        const int begin = i == from.line ? std::min(from.column, int(whole.size())) : 0;
        const int end = i == to.line ? std::min(to.column, int(whole.size())) : int(whole.size());
        text += whole.mid(begin, end - begin).toStdString();
        if (i != to.line) { text += "\r\n"; }
    }
    return QString::fromStdString(text);
}

void ProgramView::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) { QApplication::clipboard()->setText(text); }
}

// ---- Geometry ----

int ProgramView::lineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int ProgramView::charWidth() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }

int ProgramView::visibleLineCount() const { return std::max(1, viewport()->height() / lineHeight()); }

void ProgramView::updateScrollBars() {
    const int page = visibleLineCount();
    const auto lines = qint64(lineCount_);
    verticalScrollBar()->setRange(0, int(std::clamp<qint64>(lines - page, 0, INT32_MAX)));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    const qint64 width = qint64(longestLine_) * charWidth() + 2 * kMargin;
    horizontalScrollBar()->setRange(0, int(std::clamp<qint64>(width - viewport()->width(), 0, INT32_MAX)));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(charWidth());
}

ProgramView::Position ProgramView::positionAt(QPoint point) const {
    if (lineCount_ == 0) { return {}; }
    const qint64 row = qint64(verticalScrollBar()->value()) + std::max(0, point.y()) / lineHeight();
    Position at;
    at.line = std::size_t(std::clamp<qint64>(row, 0, qint64(lineCount_) - 1));
    const int x = point.x() + horizontalScrollBar()->value() - kMargin;
    const int column = std::max(0, (x + charWidth() / 2) / charWidth());
    at.column = std::min(column, int(line(at.line).size()));
    return at;
}

void ProgramView::ensureVisible(Position position) {
    QScrollBar* bar = verticalScrollBar();
    const auto top = std::size_t(bar->value());
    const auto page = std::size_t(visibleLineCount());
    if (position.line < top) {
        bar->setValue(int(position.line));
    } else if (position.line >= top + page) {
        bar->setValue(int(position.line + 1 - page));
    }
}

void ProgramView::moveCursor(Position to, bool extend) {
    cursor_ = to;
    if (!extend) { anchor_ = to; }
    ensureVisible(to);
    viewport()->update();
}

// ---- Events ----

void ProgramView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = lineHeight();
    const int width = charWidth();
    const int ascent = fontMetrics().ascent();
    const int left = kMargin - horizontalScrollBar()->value();
    const auto first = std::size_t(verticalScrollBar()->value());
    const std::size_t last = std::min(lineCount_, first + std::size_t(visibleLineCount()) + 1);
    const Position from = std::min(anchor_, cursor_);
    const Position to = std::max(anchor_, cursor_);
    const QPalette& colours = palette();
    for (std::size_t i = first; i < last; ++i) {
        const int top = int(i - first) * height;
        const QString text = line(i);
        if (from < to && i >= from.line && i <= to.line) {
            const int begin = i == from.line ? from.column : 0;
            // A selection running on past a line's end also covers its line break.
            const int end = i == to.line ? to.column : int(text.size()) + 1;
            painter.fillRect(left + begin * width, top, std::max(0, end - begin) * width, height,
                             colours.brush(QPalette::Highlight));
        }
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(left, top + ascent, text);
    }
    if (hasFocus() && lineCount_ > 0) {
        const auto row = qint64(cursor_.line) - qint64(first);
        if (row >= 0 && row < qint64(last - first)) {
            painter.fillRect(left + cursor_.column * width, int(row) * height, 1, height,
                             colours.brush(QPalette::Text));
        }
    }
    emit painted();
}

void ProgramView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ProgramView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) { updateScrollBars(); }
}

void ProgramView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copySelection();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    Position to = cursor_;
    const auto page = std::size_t(visibleLineCount());
    const std::size_t lastLine = lineCount_ == 0 ? 0 : lineCount_ - 1;
    switch (event->key()) {
        case Qt::Key_Up: to.line = to.line > 0 ? to.line - 1 : 0; break;
        case Qt::Key_Down: to.line = std::min(lastLine, to.line + 1); break;
        case Qt::Key_PageUp: to.line = to.line > page ? to.line - page : 0; break;
        case Qt::Key_PageDown: to.line = std::min(lastLine, to.line + page); break;
        case Qt::Key_Left: to.column = std::max(0, to.column - 1); break;
        case Qt::Key_Right: to.column += 1; break;
        case Qt::Key_Home:
            if (control) { to.line = 0; }
            to.column = 0;
            break;
        case Qt::Key_End:
            if (control) { to.line = lastLine; }
            to.column = INT32_MAX;
            break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    to.column = std::min(to.column, int(line(to.line).size()));
    moveCursor(to, extend);
}

void ProgramView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) { return; }
    selecting_ = true;
    moveCursor(positionAt(event->position().toPoint()), event->modifiers().testFlag(Qt::ShiftModifier));
}

void ProgramView::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_) { return; }
    moveCursor(positionAt(event->position().toPoint()), true);
}

void ProgramView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) { selecting_ = false; }
}

void ProgramView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copy"), this, &ProgramView::copySelection);
    copy->setEnabled(anchor_ != cursor_);
    menu.addAction(QStringLiteral("Select All"), this, &ProgramView::selectAll);
    menu.exec(event->globalPos());
}

void ProgramView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click selects the whole line.
    const Position at = positionAt(event->position().toPoint());
    anchor_ = Position{at.line, 0};
    cursor_ = Position{at.line, int(line(at.line).size())};
    viewport()->update();
}

}  // namespace bw::app
