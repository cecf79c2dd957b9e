#include "fields/DecimalSeparator.h"

#include <QLocale>

namespace bw::app {

char systemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    // The engine reads one ASCII character; locales with another mark fall back to the point.
    if (point == QLatin1String(",")) { return ','; }
    return '.';
}

}  // namespace bw::app
