// The window from the keyboard: Enter and Space press the focused button,
// the focus is back on Execute however a run ends, and every control that
// takes the focus shows it.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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
