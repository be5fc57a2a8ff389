#pragma once

#include <QString>
#include <ostream>

// Failing comparisons show the text instead of the bytes of a QString object.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
