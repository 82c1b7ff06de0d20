// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Lets test failures show Qt values as text instead of raw bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << 'x' << size.height();
}
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
