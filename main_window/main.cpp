// MARROWPINE: lists every file of one kind under a chosen folder.

#include <QApplication>

#include "application.h"
#include "form1.h"

int main(int argc, char** argv) {
    // QApplication also takes the locale from the environment, which the
    // file-type classes' upper-casing follows.
    QApplication app(argc, argv);
    SetUpApplication(app);
    Form1 form1;
    form1.show();
    return QApplication::exec();
}
