// The Execute command: a whole run through the real save dialog, cancel,
// a failed run, and Exit in the middle of a walk.

#include <QApplication>
#include <QDialogButtonBox>
#include <QTranslator>
#include <optional>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "application.h"
#include "drive_list.h"
#include "form1_description.h"
#include "folder_list.h"
#include "listing_line.h"
#include "run_search.h"
#include "window_test_support.h"

using window_test::Canonical;
using window_test::ModalAnswerer;
using window_test::OpenedForm1;

namespace {

QStringList Lines(const std::string& bytes) {
    QStringList lines = QString::fromStdString(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

// The state of the window while a box is up.
struct Snapshot {
    QStringList enabled;  // names of the locked controls that are enabled
    bool exit_enabled = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    bool cursor_set = false;
    // The pointer over everything, whatever it passes over; none when unset.
    std::optional<Qt::CursorShape> override_cursor;
    bool ok_has_icon = false;
    QString label;
    QString text;
    QString title;
};

Snapshot Take(Form1& form, QMessageBox* box) {
    Snapshot s;
    for (QWidget* w : std::initializer_list<QWidget*>{
             form.opt_ext1, form.opt_ext2, form.opt_ext3, form.opt_ext4, form.opt_ext5, form.opt_ext6,
             form.opt_inside_style1, form.opt_inside_style2, form.opt_out1, form.opt_out2, form.Text1,
             form.Command_Exec, form.Dir1, form.Drive1}) {
        if (w->isEnabled()) s.enabled << w->objectName();
    }
    s.exit_enabled = form.Command_Exit->isEnabled();
    s.cursor = form.cursor().shape();
    s.cursor_set = form.testAttribute(Qt::WA_SetCursor);
    s.label = form.Label2->text();
    if (const QCursor* over = QGuiApplication::overrideCursor()) s.override_cursor = over->shape();
    if (box != nullptr) {
        s.text = box->text();
        s.title = box->windowTitle();
        s.ok_has_icon = !box->button(QMessageBox::Ok)->icon().isNull();
    }
    return s;
}

}  // namespace

class TestRunCommand : public QObject {
    Q_OBJECT

    QTemporaryDir tree_;
    QString site_;

private slots:
    void initTestCase() {
        SetUpApplication(*qApp);
        QVERIFY(tree_.isValid());
        site_ = tree_.path() + "/site";
        QDir(site_).mkpath("img");
        for (const char* name : {"index.htm", "img/page.HTML", "notes.txt", "photo.jpg"}) {
            QFile(site_ + "/" + name).open(QIODevice::WriteOnly);
        }
    }

    // One run through the real dialog: the name typed gets the default
    // extension of the output style; the closing box is shown while the
    // window is still locked under the hourglass with the last match on show.
    void aWholeRunThroughTheDialog_data() {
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("HtmlLink adds htm") << true << "result" << "result.htm";
        QTest::newRow("TEXT adds txt") << false << "result" << "result.txt";
        QTest::newRow("an extension is kept") << false << "list.out" << "list.out";
    }
    void aWholeRunThroughTheDialog() {
        QFETCH(bool, html);
        QFETCH(QString, typed);
        QFETCH(QString, file);
        QTemporaryDir out;
        OpenedForm1 form(site_);
        (html ? form->opt_out1 : form->opt_out2)->setChecked(true);
        ModalAnswerer answerer;
        QString title, proposed;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            dialog->setDirectory(out.path());
            window_test::TypeFileName(dialog, typed);
        };
        QList<Snapshot> boxes;
        qsizetype dialogs_at_the_box = 0;  // a save dialog alive in a run would watch the folder written to
        answerer.on_message_box = [&](QMessageBox* box) {
            boxes << Take(*form, box);
            dialogs_at_the_box += form->findChildren<QFileDialog*>().size();
            window_test::PressOk(box);
        };
        // Twice: the second run proposes no file name and appends.
        for (int run = 0; run < 2; ++run) {
            QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
            QCOMPARE(title, QStringLiteral("検索結果を保存"));
            QCOMPARE(proposed, QString());
        }
        QCOMPARE(dialogs_at_the_box, 0);

        QCOMPARE(boxes.size(), 2);
        const Snapshot& during = boxes.front();
        QCOMPARE(during.text.section('\n', 0, 0), QStringLiteral("COMPLETED ..."));
        QVERIFY2(during.text.contains(QStringLiteral("書き込んだ行: 2 行")), qPrintable(during.text));
        QCOMPARE(during.title, QStringLiteral("MARROWPINE"));
        QCOMPARE(during.enabled, QStringList());
        QVERIFY(during.exit_enabled);
        QCOMPARE(during.cursor, Qt::WaitCursor);
        QCOMPARE(during.override_cursor, std::optional(Qt::WaitCursor));
        QVERIFY(!during.ok_has_icon);
        QCOMPARE(form->Command_Exit->cursor().shape(), Qt::ArrowCursor);
        // The walk order is the file system's; the label shows whichever came last.
        const QStringList lines = Lines(window_test::ReadBytes(out.path() + "/" + file));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.mid(0, 2), lines.mid(2, 2));
        // The label shows the last match (full name, then bare name), even
        // though it came too soon after the first to be painted at once.
        QCOMPARE(during.label, boxes.back().label);
        if (!html) QCOMPARE(during.label, lines[1] + lines[1].section('/', -1));

        const Snapshot after = Take(*form, nullptr);
        QCOMPARE(after.enabled.size(), 14);
        QCOMPARE(after.cursor, Qt::ArrowCursor);
        QCOMPARE(after.override_cursor, std::nullopt);
        QCOMPARE(after.label, during.label);
        QCOMPARE(lines.join("\n").contains("<A HREF="), html);
    }

    // A file that exists is appended to, with no question about replacing it.
    void anExistingFileIsAppendedToWithoutAQuestion() {
        QTemporaryDir out;
        QFile existing(out.path() + "/old.htm");
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("kept\r\n");
        existing.close();
        OpenedForm1 form(site_);
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(out.path());
            window_test::TypeFileName(dialog, "old.htm");
        };
        QStringList texts;
        answerer.on_message_box = [&](QMessageBox* box) {
            texts << box->text();
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts[0].section('\n', 0, 0), QStringLiteral("COMPLETED ..."));
        const QStringList lines = Lines(window_test::ReadBytes(existing.fileName()));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.front(), QStringLiteral("kept"));
    }

    // Names in the closing box and in the status show as they are: markup
    // is not rendered, and a control (a line break, a terminal escape) is
    // shown escaped instead of breaking the line.
    void namesShowAsPlainTextWithTheirControlsEscaped() {
        QTemporaryDir work;
        const QString start = work.path() + "/start";
        QDir(start).mkpath(".");
        QVERIFY(QFile(start + "/a\nforged.htm").open(QIODevice::WriteOnly));
        // (Without quotes: the dialog reads "a" "b" as two names.)
        const QString output = QStringLiteral("<h1>out<img src=y>\x1b]0;t\x07.htm");
        OpenedForm1 form(start);
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(work.path());
            window_test::TypeFileName(dialog, output);
        };
        QString box_text;
        answerer.on_message_box = [&](QMessageBox* box) {
            box_text = window_test::DisplayedText(box->findChild<QLabel*>("qt_msgbox_label"));
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QCOMPARE(box_text.section('\n', 0, 0), QStringLiteral("COMPLETED ..."));
        QVERIFY2(box_text.contains(QStringLiteral("書き込んだ行: 1 行\n出力ファイル: ")), qPrintable(box_text));
        QVERIFY2(box_text.endsWith(QStringLiteral("/<h1>out<img src=y>\\x1B]0;t\\x07.htm")),
                 qPrintable(box_text));
        const QString status = window_test::DisplayedText(form->Label2);
        QVERIFY2(status.endsWith(QStringLiteral("/a\\x0Aforged.htma\\x0Aforged.htm")), qPrintable(status));
    }

    // A name of blanks only (a Space typed by mistake, a Japanese input
    // method's full-width one) is refused with a box and the dialog stays;
    // blanks around a real name are kept as typed.
    void aNameOfBlanksOnlyIsRefused() {
        QTemporaryDir out;
        OpenedForm1 form(site_);
        ModalAnswerer answerer;
        bool stayed = false;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(out.path());
            window_test::TypeFileName(dialog, QString::fromUtf8("\u3000 "));
            stayed = dialog->isVisible();
            window_test::TypeFileName(dialog, " a ");
        };
        QStringList boxes;
        answerer.on_message_box = [&](QMessageBox* box) {
            boxes << box->text().section('\n', 0, 0);
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QVERIFY(stayed);
        QCOMPARE(boxes, (QStringList{QString::fromUtf8(Form1Description::kBlankFileName), "COMPLETED ..."}));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{" a .htm"});
    }

    // Within one start the dialog opens where the last output was written,
    // never where a run failed; the first time, in the current folder,
    // whatever Qt's settings remember.
    void theDialogOpensWhereTheLastOutputWent() {
        QTemporaryDir out, bad;
        // /dev/full takes no bytes, whoever writes; a link makes it the output.
        QVERIFY(QFile::link("/dev/full", bad.path() + "/full.txt"));
        OpenedForm1 form(site_);
        ModalAnswerer answerer;
        QStringList opened_in;
        int dialogs = 0;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            opened_in << QString::fromStdString(Canonical(dialog->directory().absolutePath()));
            const bool failing = ++dialogs == 2;
            dialog->setDirectory(failing ? bad.path() : out.path());
            window_test::TypeFileName(dialog, failing ? "full.txt" : "out.txt");
        };
        answerer.on_message_box = [](QMessageBox* box) { window_test::PressOk(box); };
        for (int run = 0; run < 3; ++run) QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        const QString written = QString::fromStdString(Canonical(out.path()));
        const QStringList expected = {QString::fromStdString(Canonical(site_)), written, written};
        QCOMPARE(opened_in, expected);
    }

    // Qt's own texts in the dialog follow the user's language.
    void theSaveDialogSpeaksJapaneseOnAJapaneseDesktop() {
        QTranslator* japanese = InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan));
        QVERIFY2(japanese != nullptr, "no Qt translations for Japanese (qt6-translations-l10n)");
        OpenedForm1 form(site_);
        ModalAnswerer answerer;
        QString save, name_label;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            save = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
            name_label = dialog->findChild<QLabel*>("fileNameLabel")->text();
            dialog->reject();
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QCoreApplication::removeTranslator(japanese);
        delete japanese;
        QVERIFY2(save.contains(QStringLiteral("保存")), qPrintable(save));
        QVERIFY2(name_label.contains(QStringLiteral("ファイル名")), qPrintable(name_label));
    }

    // Cancel: no run, no lock, no hourglass, no message.
    void cancelChangesNothing() {
        OpenedForm1 form(site_);
        form->Label2->setText("earlier");
        ModalAnswerer answerer;
        answerer.on_file_dialog = [](QFileDialog* dialog) { dialog->reject(); };
        int boxes = 0;
        answerer.on_message_box = [&](QMessageBox* box) {
            ++boxes;
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);
        QCOMPARE(boxes, 0);
        const Snapshot after = Take(*form, nullptr);
        QCOMPARE(after.enabled.size(), 14);
        QCOMPARE(after.cursor, Qt::ArrowCursor);
        QCOMPARE(after.label, QStringLiteral("earlier"));
    }

    // A failed run says what failed in a plain box, then gives the window
    // back; the status label keeps its text and written lines stay.
    void aFailedRunSaysWhyAndUnlocks_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("expected_text");
        QTest::newRow("output cannot be written") << "output" << "出力ファイルに書き込めません";
        QTest::newRow("start folder gone") << "folder" << "検索フォルダーを開けません";
    }
    void aFailedRunSaysWhyAndUnlocks() {
        QFETCH(QString, failure);
        QFETCH(QString, expected_text);
        QTemporaryDir work;
        const QString start = work.path() + "/start";
        QDir(start).mkpath(".");
        QFile(start + "/a.htm").open(QIODevice::WriteOnly);
        // /dev/full takes no bytes, whoever writes; a link makes it the output.
        QVERIFY(QFile::link("/dev/full", work.path() + "/full.htm"));

        OpenedForm1 form(start);
        form->Label2->setText("earlier");
        if (failure == "folder") QVERIFY(QDir(start).removeRecursively());
        ModalAnswerer answerer;
        answerer.on_file_dialog = [&](QFileDialog* dialog) {
            dialog->setDirectory(work.path());
            window_test::TypeFileName(dialog, failure == "output" ? "full.htm" : "out.htm");
        };
        QList<Snapshot> boxes;
        QMessageBox::Icon icon = QMessageBox::Critical;
        answerer.on_message_box = [&](QMessageBox* box) {
            boxes << Take(*form, box);
            icon = box->icon();
            window_test::PressOk(box);
        };
        QTest::mouseClick(form->Command_Exec, Qt::LeftButton);

        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].text.startsWith(expected_text), qPrintable(boxes[0].text));
        QVERIFY2(boxes[0].text.contains(failure == "output" ? "full.htm" : "start"), qPrintable(boxes[0].text));
        QCOMPARE(boxes[0].title, QStringLiteral("MARROWPINE"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        // While the box is up the run is still locked; afterwards all is back.
        QCOMPARE(boxes[0].enabled, QStringList());
        const Snapshot after = Take(*form, nullptr);
        QCOMPARE(after.enabled.size(), 14);
        QCOMPARE(after.cursor, Qt::ArrowCursor);
        const QString expected_label = failure == "output"
            ? QString::fromStdString(Canonical(start)) + "/a.htma.htm" : QStringLiteral("earlier");
        QCOMPARE(after.label, expected_label);
    }

    // Exit or the close box in the middle of a walk ends the program at once:
    // no closing box, no line written after the end, none of them cut short.
    void exitDuringAWalkEndsAtOnce_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("close box") << "close";
    }
    void exitDuringAWalkEndsAtOnce() {
        QFETCH(QString, how);
        QTemporaryDir work;
        const QString tree = work.path() + "/tree";
        constexpr int kFolders = 40, kFiles = 250;
        window_test::MakeHtmTree(tree, kFolders, kFiles);
        const QString output = work.path() + "/out.htm";
        QProcess child;
        child.setWorkingDirectory(tree);
        child.start(EXIT_CHILD, {output, how});
        QVERIFY(child.waitForFinished(60000));
        const QString report = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(!report.contains("COMPLETED"), qPrintable(report));
        QVERIFY2(report.startsWith("size_at_end="), qPrintable(report + child.readAllStandardError()));

        const std::string bytes = window_test::ReadBytes(output);
        QCOMPARE(QString::number(bytes.size()), report.mid(12).trimmed());
        QVERIFY(bytes.size() > 0);
        QVERIFY(bytes.ends_with("\r\n"));
        const QStringList lines = Lines(bytes);
        QVERIFY(lines.size() < kFolders * kFiles);
        // Every line is whole: exactly the line of one of the files.
        const Module1::RunRequest request;  // HtmlLink, PATH+FILE名
        QSet<QString> whole;
        const std::string root = Canonical(tree);
        for (int f = 0; f < kFolders; ++f) {
            for (int i = 0; i < kFiles; ++i) {
                const std::string bare = "f" + std::to_string(i) + ".htm";
                const std::string full = root + "/d" + std::to_string(f) + "/" + bare;
                whole.insert(QString::fromStdString(Module1::ComposeListingLine(request, full, bare)));
            }
        }
        for (const QString& line : lines) QVERIFY2(whole.contains(line), qPrintable(line));
    }
};

QTEST_MAIN(TestRunCommand)
#include "run_command_test.moc"
