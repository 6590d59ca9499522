#pragma once

#include <QString>

class QWidget;

// The program's one kind of message: title "MARROWPINE", the text, a single
// OK button and no icon. Modal; returns when the box is closed.
void ShowMessageBox(QWidget* parent, const QString& text);
