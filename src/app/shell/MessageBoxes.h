#pragma once
// Message boxes that do not block the event loop: the window keeps answering
// running jobs while the user reads them.

#include <QString>

class QWidget;

namespace bw::app {

void showWarning(QWidget* parent, const QString& text);
void showInformation(QWidget* parent, const QString& text);

}  // namespace bw::app
