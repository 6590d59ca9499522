// Form1 outside a run: its initial state, option groups, the free-extension
// box, the capture of the choices, layout, focus, menu, About and the end.

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFile>
#include <QMimeData>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "application.h"
#include "drive_list.h"
#include "drives.h"
#include "folder_list.h"
#include "frame_box.h"
#include "run_search.h"
#include "window_test_support.h"

using window_test::ModalAnswerer;
using window_test::OpenedForm1;

class TestForm1 : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    // Dark pixels right of the indicator in a copy of the button at this height.
    static int InkInCaption(QRadioButton* original, int height, int text_left) {
        QRadioButton probe(original->text());
        probe.setFont(original->font());
        probe.resize(original->width(), height);
        const QImage image = probe.grab().toImage();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = text_left; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
        }
        return ink;
    }

    QRadioButton* Option(Form1& form, const QString& name) {
        return form.findChild<QRadioButton*>(name);
    }

private slots:
    void initTestCase() {
        SetUpApplication(*qApp);
        QVERIFY(folder_.isValid());
    }

    void opensWithTheDefaults() {
        OpenedForm1 form(folder_.path());
        QVERIFY(form->opt_ext1->isChecked());
        QVERIFY(form->opt_out1->isChecked());
        QVERIFY(form->opt_inside_style1->isChecked());
        for (QRadioButton* off : {form->opt_ext2, form->opt_ext3, form->opt_ext4, form->opt_ext5,
                                  form->opt_ext6, form->opt_out2, form->opt_inside_style2}) {
            QVERIFY2(!off->isChecked(), qPrintable(off->objectName()));
        }
        QCOMPARE(form->Text1->text(), QString());
        QCOMPARE(form->Label2->text(), QString());
        const std::string folder = window_test::Canonical(folder_.path());
        QCOMPARE(form->Selection().start_folder, folder);
        QCOMPARE(form->Selection().start_drive, Module1::DriveHolding(Module1::NativePlatform().ListDrives(), folder));
        QCOMPARE(form->Dir1->Path(), folder);
        QCOMPARE(form->windowTitle(), QStringLiteral("MARROWPINE"));
        QVERIFY(!form->windowIcon().isNull());
    }

    void focusIsOnExecuteAtStart() {
        OpenedForm1 form(folder_.path());
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        QCOMPARE(QApplication::focusWidget(), form->Command_Exec);
    }

    void tabOrderFollowsTheTabIndexes() {
        OpenedForm1 form(folder_.path());
        const QStringList expected = {
            "Command_Exec", "Command_Exit", "Dir1", "Drive1", "opt_ext1", "opt_ext2", "opt_ext3", "opt_ext4",
            "opt_out1", "opt_out2", "opt_ext5", "Text1", "opt_ext6", "opt_inside_style1", "opt_inside_style2",
        };
        QStringList order;
        QWidget* w = form->Command_Exec;
        for (int i = 0; i < expected.size(); ++i, w = w->nextInFocusChain()) {
            while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty()) w = w->nextInFocusChain();
            order << w->objectName();
        }
        QCOMPARE(order, expected);
    }

    // Selecting one option clears the others of its group only.
    void optionGroupsAreIndependent_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("selected");
        const QString out = "opt_out1", style = "opt_inside_style1", ext = "opt_ext1";
        for (const char* name : {"opt_ext2", "opt_ext3", "opt_ext4", "opt_ext5", "opt_ext6"}) {
            QTest::newRow(name) << QString(name) << QStringList{name, out, style};
        }
        QTest::newRow("opt_out2") << "opt_out2" << QStringList{ext, "opt_out2", style};
        QTest::newRow("opt_inside_style2") << "opt_inside_style2" << QStringList{ext, out, "opt_inside_style2"};
    }
    void optionGroupsAreIndependent() {
        QFETCH(QString, option);
        QFETCH(QStringList, selected);
        OpenedForm1 form(folder_.path());
        QRadioButton* button = Option(*form, option);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
        QStringList now;
        for (QRadioButton* b : form->client_area->findChildren<QRadioButton*>()) {
            if (b->isChecked()) now << b->objectName();
        }
        now.sort();
        selected.sort();
        QCOMPARE(now, selected);
    }

    // A fixed class empties the free extension; "OTHER" keeps it and takes
    // the caret there.
    void classChoiceAndTheFreeExtension_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("focus_in_text1");
        for (const char* name : {"opt_ext2", "opt_ext3", "opt_ext4", "opt_ext5"}) {
            QTest::newRow(name) << QString(name) << QString() << false;
        }
        QTest::newRow("opt_ext6") << "opt_ext6" << " Jp g" << true;
    }
    void classChoiceAndTheFreeExtension() {
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(bool, focus_in_text1);
        OpenedForm1 form(folder_.path());
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        QTest::keyClicks(form->Text1, " Jp g");
        QVERIFY2(form->opt_ext1->isChecked(), "typing into Text1 changed the class");
        QTest::mouseClick(Option(*form, option), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form->Text1->text(), text);
        QCOMPARE(QApplication::focusWidget() == form->Text1, focus_in_text1);
    }

    void otherAfterAFixedClassShowsAnEmptyBox() {
        OpenedForm1 form(folder_.path());
        form->opt_ext6->setChecked(true);
        form->Text1->setText("bak");
        form->opt_ext4->setChecked(true);
        form->opt_ext6->setChecked(true);
        QCOMPARE(form->Text1->text(), QString());
    }

    // The capture copies what the controls show, the free text unchanged.
    void captureCopiesTheControls_data() {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<bool>("html");
        QTest::addColumn<bool>("full_path");
        QTest::addColumn<QString>("free_text");
        QTest::newRow("defaults") << "opt_ext1" << true << true << "";
        QTest::newRow("gif-text-file") << "opt_ext4" << false << true << "";
        QTest::newRow("other-blanks-kept") << "opt_ext6" << true << false << " Tar.GZ ";
        QTest::newRow("other-japanese") << "opt_ext6" << false << false << "テキスト";
        QTest::newRow("txt") << "opt_ext5" << false << true << "";
    }
    void captureCopiesTheControls() {
        QFETCH(QString, ext);
        QFETCH(bool, html);
        QFETCH(bool, full_path);
        QFETCH(QString, free_text);
        OpenedForm1 form(folder_.path());
        const std::string folder_before = form->Selection().start_folder;
        Option(*form, ext)->setChecked(true);
        (html ? form->opt_out1 : form->opt_out2)->setChecked(true);
        (full_path ? form->opt_inside_style1 : form->opt_inside_style2)->setChecked(true);
        form->Text1->setText(free_text);
        const Module1::RunRequest r = form->CaptureRunSettings();

        QCOMPARE(static_cast<int>(r.file_class) + 1, ext.right(1).toInt());
        QCOMPARE(r.line_style == Module1::LineStyle::kHtmlLink, html);
        QCOMPARE(r.name_style == Module1::NameStyle::kPathAndFile, full_path);
        QCOMPARE(QString::fromStdString(r.ext_free_text), free_text);
        QCOMPARE(r.start_folder, folder_before);
    }

    // Places and sizes in twips at 15 twips per pixel.
    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Frame4") << "Frame4" << QRect(120, 120, 4695, 2775);
        QTest::newRow("Dir1") << "Dir1" << QRect(360, 360, 4215, 2400);
        QTest::newRow("Drive1") << "Drive1" << QRect(360, 3120, 1215, 300);
        QTest::newRow("Text1") << "Text1" << QRect(5040, 2040, 1215, 270);
        QTest::newRow("opt_ext4 in Frame1") << "opt_ext4" << QRect(120, 960, 1455, 255);
        QTest::newRow("opt_out2 in Frame2") << "opt_out2" << QRect(120, 480, 855, 180);
        QTest::newRow("opt_inside_style1 in Frame3") << "opt_inside_style1" << QRect(120, 240, 1455, 180);
        QTest::newRow("Command_Exec") << "Command_Exec" << QRect(5400, 2760, 1215, 375);
        QTest::newRow("Label2") << "Label2" << QRect(120, 3840, 6855, 495);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        OpenedForm1 form(folder_.path());
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    }

    void theWindowIsFixedAndPlaced() {
        OpenedForm1 form(folder_.path());
        QCOMPARE(form->client_area->size(), QSize(472, 291));
        QCOMPARE(form->client_area->mapToGlobal(QPoint(0, 0)), QPoint(246, 139));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->menuBar()->geometry().bottom() < form->client_area->geometry().top());
    }

    // Dir1 and Text1 lie above the frames they overlap, wholly visible.
    void stackingShowsTheListAndTheBoxAboveTheirFrames() {
        OpenedForm1 form(folder_.path());
        for (QWidget* top : {static_cast<QWidget*>(form->Dir1), static_cast<QWidget*>(form->Text1)}) {
            const QRect r = top->geometry().adjusted(1, 1, -1, -1);
            for (const QPoint p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}) {
                QWidget* hit = form->client_area->childAt(p);
                QVERIFY2(hit == top || top->isAncestorOf(hit), qPrintable(top->objectName()));
            }
        }
    }

    // Every caption fits its control at the layout's sizes. Also leaves a
    // picture of the window for a person to look at.
    void everyCaptionFits() {
        OpenedForm1 form(folder_.path());
        for (QRadioButton* b : form->client_area->findChildren<QRadioButton*>()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const QRect room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b);
            const int needed = b->fontMetrics().horizontalAdvance(b->text());
            QVERIFY2(needed <= room.width(), qPrintable(QStringLiteral("%1: %2 > %3").arg(b->objectName()).arg(needed).arg(room.width())));
            // Nothing of the caption is cut off: it shows as much ink as in a
            // button with room to spare.
            QCOMPARE(InkInCaption(b, b->height(), room.left()), InkInCaption(b, 40, room.left()));
        }
        for (QPushButton* b : {form->Command_Exec, form->Command_Exit}) {
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->objectName()));
        }
        for (FrameBox* f : {form->Frame1, form->Frame2, form->Frame3, form->Frame4}) {
            QVERIFY2(f->fontMetrics().horizontalAdvance(f->Caption()) + 12 <= f->width(), qPrintable(f->objectName()));
        }
        form->grab().save(QDir::temp().filePath("marrowpine-form1-offscreen.png"));
    }

    void aboutMenuHasOneItem() {
        OpenedForm1 form(folder_.path());
        QCOMPARE(form->mnuFile_about->title(), QStringLiteral("&About"));
        QCOMPARE(form->mnuFile_about->actions().size(), 1);
        QCOMPARE(form->mnuFile_about_about->text(), QStringLiteral("About"));
        QVERIFY(QTest::qWaitForWindowActive(&*form));
        QTest::keyClick(&*form, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(form->mnuFile_about->isVisible());
        form->mnuFile_about->close();
    }

    void aboutShowsNameAndVersionInAPlainBox() {
        OpenedForm1 form(folder_.path());
        ModalAnswerer answerer;
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::Critical;
        int buttons = 0;
        answerer.on_message_box = [&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            window_test::PressOk(box);
        };
        form->mnuFile_about_about->trigger();
        QCOMPARE(text, QStringLiteral("MARROWPINE\u3000ver0.8"));
        QCOMPARE(title, QStringLiteral("MARROWPINE"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
        QVERIFY(form->opt_ext1->isChecked());
        QVERIFY(!form.ended);
    }

    void exitAndTheCloseBoxEndTheProgram_data() {
        QTest::addColumn<bool>("close_box");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void exitAndTheCloseBoxEndTheProgram() {
        QFETCH(bool, close_box);
        OpenedForm1 form(folder_.path());
        if (close_box) {
            form->close();
        } else {
            QTest::mouseClick(form->Command_Exit, Qt::LeftButton);
        }
        QVERIFY(form.ended);
        QVERIFY(!form->isVisible());
    }

    // Where the program is pointed, the lists open: a folder named on the
    // command line or dropped on the window (on Text1 too, which keeps its
    // text), or the folder that holds a file. A path that points nowhere
    // says so in a box, and the lists stay on the current folder.
    void thePointedFolderOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("path");   // relative to the current folder
        QTest::addColumn<QString>("opens");  // relative to it; "." when the lists stay
        QTest::newRow("command line, folder") << "command line" << "a/b" << "a/b";
        QTest::newRow("command line, file") << "command line" << "a/b/c.txt" << "a/b";
        QTest::newRow("command line, steps") << "command line" << "a/./b/.." << "a";
        QTest::newRow("command line, nothing there") << "command line" << "a/none" << ".";
        QTest::newRow("drop, folder") << "drop" << "a/b" << "a/b";
        QTest::newRow("drop on Text1, file") << "drop on Text1" << "a/b/c.txt" << "a/b";
        QTest::newRow("drop during a run") << "drop during a run" << "a/b" << ".";
    }
    void thePointedFolderOpens() {
        QFETCH(QString, how);
        QFETCH(QString, path);
        QFETCH(QString, opens);
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkpath("a/b"));
        QFile(work.path() + "/a/b/c.txt").open(QIODevice::WriteOnly);
        OpenedForm1 form(work.path());
        form->Text1->setText("kept");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(work.path() + "/" + path)});
        bool accepted = false;
        auto drop_on = [&](QWidget* target) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            accepted = enter.isAccepted();
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        };
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(work.path());
            window_test::TypeFileName(dialog, "out.htm");
        };
        QStringList boxes;
        answerer.on_message_box = [&](QMessageBox* box) {
            boxes << box->text();
            if (how == "drop during a run") drop_on(form->Dir1);  // the closing box is part of the run
            window_test::PressOk(box);
        };
        if (how == "command line") {
            form->SelectPointedFolder(QFile::encodeName(path).toStdString());
        } else if (how == "drop during a run") {
            QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
            QVERIFY(!accepted);
            boxes.removeFirst();
        } else {
            drop_on(how == "drop" ? static_cast<QWidget*>(form->Dir1) : form->Text1);
            QVERIFY(accepted);
        }
        const std::string expected = window_test::Canonical(work.path() + "/" + opens);
        QCOMPARE(form->Dir1->Path(), expected);
        QCOMPARE(form->Selection().start_folder, expected);
        QCOMPARE(form->Selection().start_drive, form->Drive1->Drive());
        QCOMPARE(form->Text1->text(), QStringLiteral("kept"));
        if (opens == "." && how == "command line") {
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(boxes[0].startsWith(QStringLiteral("フォルダーを開けません: a/none")), qPrintable(boxes[0]));
        } else {
            QCOMPARE(boxes, QStringList());
        }
    }
};

QTEST_MAIN(TestForm1)
#include "form1_test.moc"
