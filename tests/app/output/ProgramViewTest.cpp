// The program view with a million lines: it shows them, scrolls to the end,
// selects and copies with CR LF. How fast it paints and how long the event loop
// waits is bench/window_bench's measure.

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QtTest>

#include <string>

#include "output/ProgramView.h"

namespace {

std::shared_ptr<bw::ProgramLines> numberedLines(int count) {
    auto lines = std::make_shared<bw::ProgramLines>();
    for (int i = 0; i < count; ++i) { lines->append("G1 X" + std::to_string(i) + " Y1.5000"); }
    return lines;
}

}  // namespace

class ProgramViewTest : public QObject {
    Q_OBJECT
private slots:
    void aMillionLinesScrollSelectAndCopy() {
        bw::app::ProgramView view("RE1");
        view.resize(500, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto program = numberedLines(1000000);
        bool painted = false;
        connect(&view, &bw::app::ProgramView::painted, this, [&] { painted = true; });
        view.setProgram(program);
        QTRY_VERIFY(painted);
        QCOMPARE(view.lineCount(), std::size_t(1000000));
        QCOMPARE(view.line(0), QStringLiteral("G1 X0 Y1.5000"));

        // Ctrl+End reaches the last line; the scroll bar follows.
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
        QVERIFY(view.verticalScrollBar()->maximum() > 999000);
        // Shift+Up twice selects the end of the third-last line to the end: CR LF between lines.
        QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\r\nG1 X999998 Y1.5000\r\nG1 X999999 Y1.5000"));

        // A mouse drag over the first line selects part of it.
        QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
        const int charWidth = view.fontMetrics().horizontalAdvance('0');
        const int y = view.fontMetrics().lineSpacing() / 2;
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(4, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(4 + 2 * charWidth, y), view.viewport()->mapToGlobal(QPointF(0, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(4 + 2 * charWidth, y));
        QCOMPARE(view.selectedText(), QStringLiteral("G1"));
        // The file text is the store's own, every line ended by CR LF.
        QCOMPARE(view.fileText().size(), program->textSize());
    }

    void entriesHoldingLineBreaksShowAsSeveralLines() {
        bw::app::ProgramView view("RE2");
        auto lines = std::make_shared<bw::ProgramLines>();
        lines->append("G0");
        lines->append("M3\r\nM5");
        lines->append("");
        view.setProgram(lines);
        QCOMPARE(view.toPlainText(), QStringLiteral("G0\nM3\nM5\n"));
        QCOMPARE(view.fileText(), std::string("G0\r\nM3\r\nM5\r\n\r\n"));
        view.selectAll();
        QCOMPARE(view.selectedText(), QStringLiteral("G0\r\nM3\r\nM5\r\n"));
        view.clear();
        QCOMPARE(view.lineCount(), std::size_t(0));
        QCOMPARE(view.fileText(), std::string());
    }
};

QTEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
