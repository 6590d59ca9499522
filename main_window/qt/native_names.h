#pragma once

#include <QFile>
#include <QString>
#include <QTextDocument>
#include <string>

#include "shown_name.h"

// The search module keeps names as the file system's bytes on POSIX and as
// UTF-8 on Windows; these convert them for the window and back. (On Windows
// QFile::encodeName speaks the ANSI code page, which cannot hold every name.)

inline QString NameToText(const std::string& name) {
#ifdef _WIN32
    return QString::fromStdString(name);
#else
    return QFile::decodeName(QByteArray::fromStdString(name));
#endif
}

inline std::string TextToName(const QString& text) {
#ifdef _WIN32
    return text.toStdString();
#else
    return QFile::encodeName(text).toStdString();
#endif
}

// A name as the window shows it: controls escaped, so that it cannot break
// a row or a line.
inline QString ShownText(const std::string& name) { return QString::fromUtf8(Module1::ShownName(name)); }

// A tooltip that shows the text as it is. QToolTip guesses rich text, so a
// name such as "<b>x</b>" or "<img src=…>" would otherwise be rendered.
inline QString PlainToolTip(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpacePre); }
