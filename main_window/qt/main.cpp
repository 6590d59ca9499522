// MARROWPINE: lists every file of one kind under a chosen folder.
// Read next: form1.h (the window), then ../form1_description.h (what it shows)
// and ../run_command.h (what Execute does).

#include <QApplication>

#include "application.h"
#include "form1.h"
#include "output_file.h"

int main(int argc, char** argv) {
    // A write past the file size limit fails and is taken back, instead of
    // killing the program half-way through a line.
    Module1::IgnoreWriteSignals();
    // QApplication also takes the locale from the environment, which the
    // file-type classes' upper-casing follows.
    QApplication app(argc, argv);
    SetUpApplication(app);
    Form1 form1;
    form1.show();
    return QApplication::exec();
}
