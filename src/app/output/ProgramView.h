#pragma once
// A read-only view of a program that draws only the lines in sight, straight
// from the program's own line store: a million-line program appears as fast as
// a ten-line one, and no second copy of the text is made. Selecting with the
// mouse or the keyboard and copying work as in a text field; the copy puts
// the selected lines on the clipboard with CR LF between them.

#include <QAbstractScrollArea>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gcode/ProgramLines.h"

namespace bw::app {

class ProgramView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ProgramView(const QString& name, QWidget* parent = nullptr);

    // Shows the program (shared, never copied); a null program empties the view.
    void setProgram(std::shared_ptr<const ProgramLines> program);
    // Shows a text that is not a program (lines separated by "\n").
    void setMessage(const QString& text);
    void clear();
    const std::shared_ptr<const ProgramLines>& program() const { return program_; }

    // Lines on screen: an entry holding line breaks shows as several lines.
    std::size_t lineCount() const;
    QString line(std::size_t index) const;
    // What a file of the shown program holds: every entry followed by CR LF.
    std::string fileText() const;
    // The shown lines joined by "\n" (for small views and checks).
    QString toPlainText() const;

    void selectAll();
    QString selectedText() const;
    void copySelection() const;

signals:
    // A new program (or message) is shown.
    void programChanged();
    // Emitted after each paint of the lines (the first paint of a program is its appearance).
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Position {
        std::size_t line = 0;
        int column = 0;
        friend bool operator<(const Position& a, const Position& b) {
            return a.line != b.line ? a.line < b.line : a.column < b.column;
        }
        friend bool operator==(const Position& a, const Position& b) = default;
    };
    // An entry that holds line breaks of its own (a header or footer): it shows as several lines.
    struct TallEntry {
        std::size_t entry;
        std::size_t firstLine;
        std::size_t lines;
    };

    void indexLines();
    std::string_view lineBytes(std::size_t index) const;
    void updateScrollBars();
    Position positionAt(QPoint point) const;
    void moveCursor(Position to, bool extend);
    void ensureVisible(Position position);
    int lineHeight() const;
    int charWidth() const;
    int visibleLineCount() const;

    std::shared_ptr<const ProgramLines> program_;
    std::vector<TallEntry> tallEntries_;  // in order; usually only the header and the footer
    std::size_t lineCount_ = 0;
    std::size_t longestLine_ = 0;  // in bytes, for the horizontal scroll range
    Position anchor_;
    Position cursor_;
    bool selecting_ = false;
};

}  // namespace bw::app
