// What a screen reader and a reader of a long status learn from the window:
// accessible names and groups, the status line shortened in the middle with
// the whole text in its tooltip (folder names alike), the status, and a
// busy window during a run.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "application.h"
#include "drive_list.h"
#include "folder_list.h"
#include "form1_description.h"
#include "frame_box.h"
#include "window_test_support.h"

using window_test::ModalAnswerer;
using window_test::OpenedForm1;

namespace {

// The tooltip a pause of the pointer at pos over the widget brings up; empty for none.
QString TooltipAt(QWidget* widget, QPoint pos) {
    QToolTip::hideText();  // which takes a moment
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) return QStringLiteral("(stuck)");
    QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
    return window_test::DisplayedToolTip();
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    QTemporaryDir work_;

private slots:
    void initTestCase() {
        SetUpApplication(*qApp);
        QVERIFY(work_.isValid());
    }

    // Names come from captions or, without one, the role; never from what a
    // list happens to show. Frames are groups holding their option buttons.
    void everyControlHasAName() {
        OpenedForm1 form(work_.path());
        for (const Form1Description::Control& described : Form1Description::Controls()) {
            auto* control = form->findChild<QWidget*>(QString::fromUtf8(described.name.data(), described.name.size()));
            QVERIFY(control != nullptr);
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
            QVERIFY(reader != nullptr);
            const QString name = reader->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            if (auto* frame = dynamic_cast<FrameBox*>(control)) {
                QCOMPARE(reader->role(), QAccessible::Grouping);
                QCOMPARE(name, frame->Caption());
            }
            if (auto* option = qobject_cast<QAbstractButton*>(control); option && option->parent() != form->client_area) {
                QCOMPARE(reader->parent()->role(), QAccessible::Grouping);
            }
        }
        auto name_of = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        // Qt on Linux names a drop-down list by its entry; its role is told too.
        const QString drive_role = QAccessible::queryAccessibleInterface(form->Drive1)->text(QAccessible::Description);
        QVERIFY(!drive_role.isEmpty() && drive_role != form->Drive1->currentText());
        form->Label2->setText(QStringLiteral("/a/b.htmb.htm"));
        QVERIFY(name_of(form->Label2) != form->Label2->text());
    }

    // The label keeps its whole text; it shows the start and the end of a
    // long one, and the whole as tooltip.
    void aLongStatusIsShortenedInTheMiddle_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("shortened");
        const QString deep = QStringLiteral("/home/user/ウェブ/") + QStringLiteral("深い階層/").repeated(30);
        QTest::newRow("fits") << "/home/user/index.htmindex.htm" << false;
        QTest::newRow("long path") << deep + "最後のページ.htm最後のページ.htm" << true;
        QTest::newRow("long name without breaks") << "/w/" + QString("x").repeated(600) + ".htm" << true;
        // Shown as it is, not as a heading with a picture.
        QTest::newRow("markup") << "/w/<h1 style=\"color:red\">FORGED  HEADING<img src=x>" + QString("y").repeated(300) << true;
    }
    void aLongStatusIsShortenedInTheMiddle() {
        QFETCH(QString, status);
        QFETCH(bool, shortened);
        OpenedForm1 form(work_.path());
        ElidedLabel* label = form->Label2;
        label->setText(status);
        QCOMPARE(label->text(), status);
        const QString shown = label->ShownText();
        const QString tooltip = TooltipAt(label, label->rect().center());
        if (!shortened) {
            QCOMPARE(shown, status);
            QCOMPARE(tooltip, QString());
            return;
        }
        QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        QVERIFY(shown.length() < status.length());
        QVERIFY2(status.startsWith(shown.section(QChar(0x2026), 0, 0)), qPrintable(shown));
        QVERIFY2(status.endsWith(shown.section(QChar(0x2026), 1)), qPrintable(shown));
        QVERIFY2(status.endsWith(shown.right(12)), qPrintable(shown));  // the bare name's end is in view
        QCOMPARE(tooltip, status);
    }

    // Markup in a name is shown as it is, in the row and its tooltip.
    void aShortenedFolderNameShowsWholeAsTooltip() {
        const QString longest = QStringLiteral("とても長いフォルダーの名前").repeated(5);
        const QString markup = QStringLiteral("<h1 style=\"color:red\">FORGED  HEADING<img src=x>").repeated(3);
        for (const QString& name : {longest, markup, QStringLiteral("short")}) QDir(work_.path()).mkpath("list/" + name);
        OpenedForm1 form(work_.path() + "/list");
        FolderList* list = form->Dir1;
        for (const QString& name : {longest, markup, QStringLiteral("short")}) {
            const QList<QListWidgetItem*> rows = list->findItems(name, Qt::MatchExactly);
            QCOMPARE(rows.size(), 1);
            const QPoint at = list->visualItemRect(rows.front()).center();
            QCOMPARE(TooltipAt(list->viewport(), at), name == "short" ? QString() : name);
        }
    }

    // A walk with many matches: what a screen reader is told of the status
    // follows the label, which the pacer repaints at its own rate.
    void theStatusReachesAScreenReader() {
        const QString tree = work_.path() + "/many";
        QDir(tree).mkpath(".");
        for (int i = 0; i < 500; ++i) QFile(QStringLiteral("%1/f%2.htm").arg(tree).arg(i)).open(QIODevice::WriteOnly);
        QTemporaryDir out;
        OpenedForm1 form(tree);
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(out.path());
            window_test::TypeFileName(dialog, "out.txt");
        };
        answerer.on_message_box = [](QMessageBox* box) { window_test::PressOk(box); };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QVERIFY(!form->Label2->text().isEmpty());
        QCOMPARE(form->Label2->accessibleDescription(), form->Label2->text());
    }

    // During a run the window holds the focus and a screen reader hears it
    // busy (the closing box still belongs to the run); afterwards it is not.
    void theWindowIsBusyDuringARun() {
        QTemporaryDir out;
        OpenedForm1 form(work_.path());
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(out.path());
            window_test::TypeFileName(dialog, "out.txt");
        };
        bool busy_during = false;
        QWidget* focus_during = nullptr;
        answerer.on_message_box = [&](QMessageBox* box) {
            busy_during = QAccessible::queryAccessibleInterface(&*form)->state().busy;
            focus_during = form->focusWidget();
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QVERIFY(busy_during);
        QCOMPARE(focus_during, &*form);
        QVERIFY(!QAccessible::queryAccessibleInterface(&*form)->state().busy);
    }
};

QTEST_MAIN(TestAccessibility)
#include "accessibility_test.moc"
