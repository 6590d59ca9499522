#pragma once

#include <QFile>
#include <QString>
#include <string>

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
