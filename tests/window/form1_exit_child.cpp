// Started by run_command_test: opens the window in the current folder, runs
// Execute into the file named first, and as soon as the walk has written
// some lines ends the program with Exit ("exit") or the close box ("close").
// Prints the output file's size at that moment; the process then ends
// inside the walk, so nothing more is printed.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "application.h"
#include "form1.h"
#include "window_test_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    SetUpApplication(app);
    const QString output = QString::fromLocal8Bit(argv[1]);
    const bool close_box = QByteArray(argv[2]) == "close";

    Form1 form;
    form.show();
    window_test::ModalAnswerer answerer;
    answerer.on_file_dialog = [&](QFileDialog* dialog) { window_test::TypeFileName(dialog, output); };
    answerer.on_message_box = [](QMessageBox* box) {
        std::printf("%s\n", qPrintable(box->text()));
        std::fflush(stdout);
        window_test::PressOk(box);
    };

    // Runs at the walk's turns of the event loop.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 size = QFile(output).size();
        if (size < 4096) return;
        std::printf("size_at_end=%lld\n", static_cast<long long>(size));
        std::fflush(stdout);
        if (close_box) {
            form.close();
        } else {
            QTest::mouseClick(form.Command_Exit, Qt::LeftButton);
        }
        std::printf("still running\n");
    });
    QTimer::singleShot(0, [&] {
        watch.start(0);
        form.Command_Exec->click();
        std::printf("walk returned\n");
    });
    return QApplication::exec();
}
