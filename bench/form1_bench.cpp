// form1-bench: one Execute of the main window over the current folder, with
// the save dialog answered and the closing box closed by code.
//
//   cd TREE && form1-bench OUTPUT
//
// Prints "execute_seconds=S longest_gap_ms=G walk_seconds=W in_window_ms=M
// turns=T repaints=R" on stdout: the time of the whole Execute command, the
// longest stretch of the walk in which the window's events waited, the part
// between the dialog's Save and the closing box, and the part of the walk
// spent in the window's event-loop turns and status repaints.

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "application.h"
#include "form1.h"

namespace {

// Answers each modal window from its own event loop, once it is up.
class Answerer : public QObject {
public:
    explicit Answerer(QString output) : output_(std::move(output)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
            QTimer::singleShot(0, dialog, [this, dialog] {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(output_);
                static_cast<QDialog*>(dialog)->accept();  // the Save button
                accepted = std::chrono::steady_clock::now();
            });
        } else if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            box_shown = std::chrono::steady_clock::now();
            QTimer::singleShot(0, box, [box] { box->accept(); });
        }
        return false;
    }

    std::chrono::steady_clock::time_point accepted, box_shown;

private:
    QString output_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cd TREE && form1-bench OUTPUT\n");
        return 2;
    }
    SetUpApplication(app);
    Form1 form;
    form.show();
    Answerer answerer(QString::fromLocal8Bit(argv[1]));
    app.installEventFilter(&answerer);

    // As a user would, press Execute once the window is up and painted, so
    // that its first paint is not counted as part of the run.
    QTimer::singleShot(500, [&] {
        const auto start = std::chrono::steady_clock::now();
        form.Command_Exec_Click();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        const PacingStats& pacing = form.LastRunPacing();
        const std::chrono::duration<double> walk = answerer.box_shown - answerer.accepted;
        std::printf("execute_seconds=%.3f longest_gap_ms=%.1f walk_seconds=%.3f in_window_ms=%.1f turns=%llu repaints=%llu\n",
                    seconds.count(), std::chrono::duration<double, std::milli>(pacing.longest_gap).count(),
                    walk.count(), std::chrono::duration<double, std::milli>(pacing.in_window).count(),
                    static_cast<unsigned long long>(pacing.turns),
                    static_cast<unsigned long long>(pacing.repaints));
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}
