// MARROWPINE: lists every file of one kind under a chosen folder.
// Read next: form1.h (the window), then ../form1_description.h (what it shows)
// and ../run_command.h (what Execute does).

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "application.h"
#include "form1.h"
#include "platform.h"
#include "start_folder.h"

int main(int argc, char** argv) {
    // A write past the file size limit fails and is taken back, instead of
    // killing the program half-way through a line.
    Module1::IgnoreWriteSignals();
    // QApplication also takes the locale from the environment, which the
    // file-type classes' upper-casing follows. It takes its own options out
    // of argv; what is left is the program's, the file system's bytes.
    QApplication app(argc, argv);
    const StartArguments arguments = ParseStartArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "marrowpine: %s\n%s", arguments.error.c_str(), kStartUsage);
        return 2;
    }
    if (arguments.help) {
        std::fputs(kStartUsage, stdout);
        return 0;
    }
    SetUpApplication(app);
    Form1 form1;
    if (arguments.folder) form1.SelectPointedFolder(*arguments.folder);
    form1.show();
    return QApplication::exec();
}
