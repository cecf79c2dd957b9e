#include "ProgramText.h"

namespace bw::app {

void showProgram(QPlainTextEdit* view, const ProgramLines& lines) {
    QString text = QString::fromUtf8(lines.text());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) { text.chop(1); }
    view->setPlainText(text);
}

std::string viewFileText(const QPlainTextEdit* view) {
    const QString text = view->toPlainText();
    if (text.isEmpty()) { return {}; }
    std::string result;
    result.reserve(std::size_t(text.size()) + std::size_t(view->blockCount()));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        result += line.toStdString();
        result += "\r\n";
    }
    return result;
}

}  // namespace bw::app
