#pragma once

#include <QString>

class QWidget;

// The program's one kind of message: title "MARROWPINE", the text, a single
// OK button and no icon. Modal; returns when the box is closed. Keys act on
// it only once it has been on screen for a moment (Form1Description::kBoxKeyDelay).
void ShowMessageBox(QWidget* parent, const QString& text);
