// The save dialog never waits on a file: it tells types and icons from names
// alone, so a folder whose files block on read (/proc/kmsg, a hung share)
// browses at once.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fstream>
#include <mutex>
#include <thread>

#include "application.h"
#include "common_dialog.h"
#include "window_test_support.h"

class TestSaveDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    // A write lease held on a file makes every other open of it wait until
    // the holder lets go (or the system's lease-break time, 45 s by default,
    // runs out): a file that blocks, made without privileges. The dialog is
    // opened on its folder; a watchdog lets go of the lease if the dialog
    // has not returned long before that, and the test then fails.
    void aFolderWhoseFilesBlockBrowsesAtOnce() {
        int lease_break = 0;
        std::ifstream("/proc/sys/fs/lease-break-time") >> lease_break;
        if (lease_break < 20) QSKIP("the system breaks leases too soon to tell a wait from none");
        QTemporaryDir folder;
        const QString blocking = folder.path() + "/kmsg";  // no extension: only the contents could tell its type
        QVERIFY(QFile(blocking).open(QIODevice::WriteOnly));
        std::signal(SIGIO, SIG_IGN);  // the lease holder is told of each wait this way
        int lease = open(QFile::encodeName(blocking).constData(), O_RDONLY);
        QVERIFY(lease >= 0);
        if (fcntl(lease, F_SETLEASE, F_WRLCK) != 0) {
            close(lease);
            QSKIP("no leases on this file system");
        }

        std::mutex mutex;
        std::condition_variable returned;
        bool done = false;
        std::atomic<bool> waited{false};
        std::thread watchdog([&] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!returned.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) {
                waited = true;
                fcntl(lease, F_SETLEASE, F_UNLCK);
            }
        });

        CommonDialog dialog;
        dialog.FileName = folder.path() + "/out.htm";
        dialog.OutputWritten();
        window_test::ModalAnswerer answerer;
        bool listed = false;
        answerer.on_file_dialog = [&](QFileDialog* shown) {
            auto* model = shown->findChild<QFileSystemModel*>();
            // Listed with its type and icon, as the list paints it.
            listed = model != nullptr && QTest::qWaitFor([&] { return model->index(blocking).isValid(); }, 5000);
            if (listed) {
                const QModelIndex row = model->index(blocking);
                model->data(row, Qt::DecorationRole);
                model->data(row.siblingAtColumn(2), Qt::DisplayRole);
                shown->grab();
            }
            shown->reject();
        };
        dialog.ShowSave(nullptr);
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        returned.notify_one();
        watchdog.join();
        close(lease);
        QVERIFY(listed);
        QVERIFY2(!waited, "the dialog waited on a file's contents");
    }
};

QTEST_MAIN(TestSaveDialog)
#include "save_dialog_test.moc"
