#pragma once

#include <QWidget>

#include "common_dialog.h"

class QPushButton;

// The hidden window that carries the save dialog. Never shown.
class Form2 : public QWidget {
public:
    Form2();

    QPushButton* dlg_cmd1;
    CommonDialog CommonDialog1;
};
