// The drive and folder lists: what the folder list shows, highlighting
// against opening, and how a drive change moves the folder selection.

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#include "application.h"
#include "drive_list.h"
#include "drives.h"
#include "folder_list.h"
#include "window_test_support.h"

using window_test::Canonical;
using window_test::ModalAnswerer;
using window_test::OpenedForm1;

namespace {

void MakeFolders(const QString& base, const QStringList& relative) {
    for (const QString& r : relative) QDir(base).mkpath(r);
}

QListWidgetItem* Row(FolderList* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

}  // namespace

class TestFolderList : public QObject {
    Q_OBJECT

    QTemporaryDir tree_;
    std::string top_;

private slots:
    void initTestCase() {
        SetUpApplication(*qApp);
        QVERIFY(tree_.isValid());
        MakeFolders(tree_.path(), {"top/beta", "top/Alpha/inner", "top/gamma", "top/.cache", "top/Zeta"});
        QFile(tree_.path() + "/top/file.htm").open(QIODevice::WriteOnly);
        top_ = Canonical(tree_.path() + "/top");
    }

    // The root down to the open folder, each level indented further, then
    // the sub-folders sorted without regard to case and without dot-names.
    void showsTheOpenPathThenSortedSubFolders() {
        OpenedForm1 form(tree_.path() + "/top");
        FolderList* list = form->Dir1;
        const std::string root = list->Root();
        QCOMPARE(list->item(0)->text(), QFile::decodeName(QByteArray::fromStdString(root)));

        const int first_sub = list->count() - 4;
        QStringList subs;
        for (int i = first_sub; i < list->count(); ++i) subs << list->item(i)->text();
        QCOMPARE(subs, (QStringList{"Alpha", "beta", "gamma", "Zeta"}));
        QCOMPARE(FolderList::RowPath(list->item(first_sub - 1)), top_);
        QCOMPARE(list->currentItem(), list->item(first_sub - 1));
        int last_depth = -1;
        for (int i = 0; i < first_sub; ++i) {
            const int depth = list->item(i)->data(Qt::UserRole + 1).toInt();
            QVERIFY(depth > last_depth);
            last_depth = depth;
        }
        for (int i = first_sub; i < list->count(); ++i) {
            QCOMPARE(list->item(i)->data(Qt::UserRole + 1).toInt(), last_depth + 1);
        }
    }

    // Only opening changes Path, start_folder and raises the change event.
    void highlightingDoesNotOpen_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("opens");
        QTest::newRow("click") << "click" << false;
        QTest::newRow("arrow key") << "arrow" << false;
        QTest::newRow("double click") << "double" << true;
        QTest::newRow("Enter") << "enter" << true;
    }
    void highlightingDoesNotOpen() {
        QFETCH(QString, gesture);
        QFETCH(bool, opens);
        OpenedForm1 form(tree_.path() + "/top");
        FolderList* list = form->Dir1;
        int changes = 0;
        QObject::connect(list, &FolderList::PathChanged, [&] { ++changes; });
        QListWidgetItem* beta = Row(list, "beta");
        const QPoint at = list->visualItemRect(beta).center();
        if (gesture == "click") {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        } else if (gesture == "arrow") {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
        } else if (gesture == "double") {
            // Through the window, so that Qt itself turns two presses into a double click.
            QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(&*form, at));
        } else {
            list->setCurrentItem(beta);
            QTest::keyClick(list, Qt::Key_Return);
        }
        const std::string expected = opens ? top_ + "/beta" : top_;
        QCOMPARE(list->Path(), expected);
        QCOMPARE(form->Selection().start_folder, expected);
        QCOMPARE(changes, opens ? 1 : 0);
    }

    void openingAnOpenFolderGoesBackUp() {
        OpenedForm1 form(tree_.path() + "/top/Alpha/inner");
        FolderList* list = form->Dir1;
        QListWidgetItem* top = Row(list, "top");
        list->setCurrentItem(top);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(form->Selection().start_folder, top_);
        QVERIFY(Row(list, "gamma") != nullptr);
        QVERIFY(Row(list, "inner") == nullptr);
    }

    // A name that is not valid UTF-8 reaches the run settings byte for byte.
    void folderNamesKeepTheirBytes() {
        const std::string odd = top_ + "/odd\xff\xfe";
        QVERIFY(mkdir(odd.c_str(), 0755) == 0 || errno == EEXIST);
        OpenedForm1 form(tree_.path() + "/top");
        FolderList* list = form->Dir1;
        QListWidgetItem* row = nullptr;
        for (int i = 0; i < list->count(); ++i) {
            if (FolderList::RowPath(list->item(i)) == odd) row = list->item(i);
        }
        QVERIFY(row != nullptr);
        list->setCurrentItem(row);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(form->Selection().start_folder, odd);
        rmdir(odd.c_str());
    }

    // The folder list moves first, so start_folder is written before start_drive.
    void aDriveChangeWritesTheFolderFirst() {
        OpenedForm1 form(tree_.path() + "/top");
        const std::string other = top_ + "/gamma";
        form->Drive1->SetDrives({{"/", "/"}, {top_, "top"}, {other, "gamma"}});
        form->Drive1->SelectDrive(top_);
        const std::string drive_before = form->Selection().start_drive;
        std::string drive_seen_by_folder_change;
        QObject::connect(form->Dir1, &FolderList::PathChanged,
                         [&] { drive_seen_by_folder_change = form->Selection().start_drive; });
        form->Drive1->setCurrentIndex(2);  // as the user's choice
        QCOMPARE(drive_seen_by_folder_change, drive_before);
        QCOMPARE(form->Selection().start_folder, other);
        QCOMPARE(form->Selection().start_drive, other);
        QCOMPARE(form->Dir1->Path(), other);
        QCOMPARE(form->Dir1->Root(), other);
    }

    // A drive that cannot be read: a box says so, and both lists keep naming
    // the folder that is still open.
    void anUnreadableDriveIsRefused() {
        OpenedForm1 form(tree_.path() + "/top");
        const std::string gone = top_ + "/no-medium";
        form->Drive1->SetDrives({{"/", "/"}, {top_, "top"}, {gone, "gone"}});
        form->Drive1->SelectDrive(form->Dir1->Root());
        const std::string drive_before = form->Drive1->Drive();
        const FolderSelection before = form->Selection();
        ModalAnswerer answerer;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Critical;
        answerer.on_message_box = [&](QMessageBox* box) {
            text = box->text();
            icon = box->icon();
            window_test::PressOk(box);
        };
        form->Drive1->setCurrentIndex(2);
        QVERIFY2(text.contains("no-medium") && text.contains("No such file or directory"), qPrintable(text));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(form->Drive1->Drive(), drive_before);
        QCOMPARE(form->Dir1->Path(), top_);
        QCOMPARE(form->Selection().start_folder, before.start_folder);
        QCOMPARE(form->Selection().start_drive, before.start_drive);
    }
};

QTEST_MAIN(TestFolderList)
#include "folder_list_test.moc"
