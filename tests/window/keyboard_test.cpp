// The window from the keyboard: Enter and Space press the focused button,
// no key ends a run, the focus is back on Execute however a run ends, and
// every control that takes the focus shows it.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "application.h"
#include "form1_description.h"
#include "window_test_support.h"

using window_test::ModalAnswerer;
using window_test::OpenedForm1;

class TestKeyboard : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    QString site_;

private slots:
    void initTestCase() {
        SetUpApplication(*qApp);
        QVERIFY(work_.isValid());
        site_ = work_.path() + "/site";
        QDir(site_).mkpath(".");
        QFile(site_ + "/a.htm").open(QIODevice::WriteOnly);
        // /dev/full takes no bytes, whoever writes; a link makes it the output.
        QVERIFY(QFile::link("/dev/full", work_.path() + "/full.htm"));
    }

    void theFocusedButtonAnswersEnterAndSpace_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Execute, Enter") << "Command_Exec" << int(Qt::Key_Return);
        QTest::newRow("Execute, keypad Enter") << "Command_Exec" << int(Qt::Key_Enter);
        QTest::newRow("Execute, Space") << "Command_Exec" << int(Qt::Key_Space);
        QTest::newRow("Exit, Enter") << "Command_Exit" << int(Qt::Key_Return);
    }
    void theFocusedButtonAnswersEnterAndSpace() {
        QFETCH(QString, button);
        QFETCH(int, key);
        OpenedForm1 form(site_);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        ModalAnswerer answerer;
        int dialogs = 0;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            ++dialogs;
            dialog->reject();
        };
        auto* pressed = form->findChild<QPushButton*>(button);
        pressed->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(dialogs, button == "Command_Exec" ? 1 : 0);
        QCOMPARE(form.ended, button == "Command_Exit");
    }

    // While a run locks Execute the focus moves on to Exit; whatever the end
    // of the run, it comes back, so that the next Space runs again.
    void theFocusIsBackOnExecuteAfterARun_data() {
        QTest::addColumn<QString>("end");
        QTest::newRow("completed") << "completed";
        QTest::newRow("failed") << "failed";
        QTest::newRow("cancelled") << "cancelled";
    }
    void theFocusIsBackOnExecuteAfterARun() {
        QFETCH(QString, end);
        QTemporaryDir out;
        OpenedForm1 form(site_);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            if (end == "cancelled") return dialog->reject();
            dialog->setDirectory(end == "failed" ? work_.path() : out.path());
            window_test::TypeFileName(dialog, end == "failed" ? "full.htm" : "out.htm");
        };
        int boxes = 0;
        answerer.on_message_box = [&](QMessageBox* box) {
            ++boxes;
            window_test::PressOk(box);
        };
        QTest::keyClick(form->Command_Exec, Qt::Key_Return);
        QCOMPARE(boxes, end == "cancelled" ? 0 : 1);
        QCOMPARE(form->focusWidget(), form->Command_Exec);
    }

    // "OTHER" chosen with an arrow key takes the caret to Text1, as a click
    // does, so that the extension typed next lands there.
    void otherChosenByArrowKeyTakesTheCaretToText1() {
        OpenedForm1 form(site_);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        form->opt_ext5->setChecked(true);
        form->opt_ext5->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(form->opt_ext5->hasFocus());
        QTest::keyClick(form->opt_ext5, Qt::Key_Down);
        QVERIFY(form->opt_ext6->isChecked());
        QTRY_COMPARE(QApplication::focusWidget(), form->Text1);
        QTest::keyClicks(QApplication::focusWidget(), "bak");
        QCOMPARE(form->Text1->text(), QStringLiteral("bak"));
    }

    // Keys that come while a run goes (a late Enter meant for the save
    // dialog, a Space, an input method's commit) act on nothing: the run
    // completes with every line. Tab still leads to Exit.
    void aStrayKeyDuringARunEndsNothing() {
        QTemporaryDir work;
        const QString tree = work.path() + "/tree";
        constexpr int kFolders = 20, kFiles = 250;
        window_test::MakeHtmTree(tree, kFolders, kFiles);
        OpenedForm1 form(tree);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(work.path());
            window_test::TypeFileName(dialog, "out.txt");
        };
        int boxes = 0;
        answerer.on_message_box = [&](QMessageBox* box) {
            ++boxes;
            window_test::PressOk(box);
        };
        // At the walk's first turn of the event loop with the window active
        // again, keys go where the keyboard sends them: to the focused widget.
        QString focus_during, focus_after_tab;
        QTimer stray;
        connect(&stray, &QTimer::timeout, [&] {
            // While the walk goes: once it has ended, the keys that come
            // before the box are dropped, Tab's too.
            if (form->Command_Exec->isEnabled() || QApplication::activeModalWidget() != nullptr ||
                !focus_during.isNull() || form->LastRunPacing().walk.count() != 0) {
                return;
            }
            // The offscreen platform does not give the window back its
            // activation when the dialog closes, as a desktop does; at once,
            // as the walk is short.
            if (!form->isActiveWindow()) QApplication::setActiveWindow(&*form);
            QWidget* target = QApplication::focusWidget();
            focus_during = target != nullptr ? target->objectName() : QStringLiteral("none");
            if (target == nullptr) target = &*form;
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Space);
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("x"));
            QApplication::sendEvent(target, &commit);
            QTest::keyClick(target, Qt::Key_Tab);
            focus_after_tab = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : QString();
        });
        stray.start(0);
        QTest::keyClick(form->Command_Exec, Qt::Key_Return);
        stray.stop();
        QCOMPARE(focus_during, QStringLiteral("Form1"));
        QCOMPARE(focus_after_tab, QStringLiteral("Command_Exit"));
        QVERIFY(!form.ended);
        QCOMPARE(boxes, 1);
        QCOMPARE(QString::fromStdString(window_test::ReadBytes(work.path() + "/out.txt")).count("\r\n"), kFolders * kFiles);
        QCOMPARE(form->focusWidget(), form->Command_Exec);
    }

    // A user drumming Space and Enter through a run and on after it, keys
    // going wherever the focus is: the closing box is seen (no key closes
    // it in its first moment), and the Execute the drumming presses again
    // gets only blanks for a name, which the dialog refuses. One run's
    // lines, and no other file.
    void drummingSpaceAndEnterMakesOneListingOnly() {
        QTemporaryDir work;
        const QString tree = work.path() + "/tree", out = work.path() + "/out";
        constexpr int kFolders = 20, kFiles = 250;
        window_test::MakeHtmTree(tree, kFolders, kFiles);
        QDir(out).mkpath(".");
        OpenedForm1 form(tree);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        ModalAnswerer answerer;
        int dialogs = 0;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(out);
            if (++dialogs == 1) window_test::TypeFileName(dialog, "list.txt");
        };
        QElapsedTimer box_shown, drumming;
        qint64 box_lived = -1;
        answerer.on_message_box = [&](QMessageBox* box) {
            if (box_shown.isValid() || !box->text().startsWith("COMPLETED")) return;
            box_shown.start();
            connect(box, &QDialog::finished, [&] { box_lived = box_shown.elapsed(); });
        };
        // From the run's start until well after its box, and on a loaded
        // machine until the drumming has opened the dialog again: a key
        // every 25 ms, then whatever is left open is closed as a user would.
        QTimer drum;
        bool space = true;
        connect(&drum, &QTimer::timeout, [&] {
            if (!drumming.isValid() && !form->Command_Exec->isEnabled()) drumming.start();
            if (!drumming.isValid()) return;
            if (!box_shown.isValid() || box_shown.elapsed() < 1500 || (dialogs < 2 && box_shown.elapsed() < 10000)) {
                // The offscreen platform does not give the window back its
                // activation when a box closes, as a desktop does.
                if (QGuiApplication::focusWindow() == nullptr) QApplication::setActiveWindow(&*form);
                // Each key from a timer of its own: a key that opens a modal
                // window would hold this timer until the window closes.
                const Qt::Key key = (space = !space) ? Qt::Key_Space : Qt::Key_Return;
                QTimer::singleShot(0, [key] {
                    if (QWindow* focus = QGuiApplication::focusWindow()) QTest::keyClick(focus, key);
                });
            } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                window_test::PressOk(box);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->reject();
            } else {
                drum.stop();
            }
        });
        drum.start(25);
        QTest::keyClick(form->Command_Exec, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!drum.isActive(), 30000);
        QTRY_VERIFY(form->Command_Exec->isEnabled());
        // This clock starts when the answerer sees the box, a few
        // milliseconds after the box's own; without the delay a drummed key
        // closes the box within one beat (25 ms).
        QVERIFY2(box_lived >= Form1Description::kBoxKeyDelay.count() - 50, qPrintable(QString::number(box_lived)));
        QVERIFY2(dialogs > 1, "the drumming never pressed Execute again");
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{"list.txt"});
        QCOMPARE(QString::fromStdString(window_test::ReadBytes(out + "/list.txt")).count("\r\n"), kFolders * kFiles);
    }

    // Each control looks different with the focus than without it.
    void everyFocusableControlShowsTheFocus() {
        OpenedForm1 form(site_);
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        QStringList unmarked;
        for (const Form1Description::Control* described : Form1Description::TabOrder()) {
            auto* control = form->findChild<QWidget*>(QString::fromUtf8(described->name.data(), described->name.size()));
            QVERIFY(control != nullptr);
            QWidget* other = control == form->Command_Exit ? form->Command_Exec : form->Command_Exit;
            control->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(control->hasFocus());
            const QImage focused = control->grab().toImage();
            other->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(!control->hasFocus());
            const QImage unfocused = control->grab().toImage();
            if (focused == unfocused) unmarked << control->objectName();
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(", ") + " show no focus"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "keyboard_test.moc"
