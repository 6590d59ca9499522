#include "window_test_support.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <clocale>
#include <filesystem>

#include "drives.h"

namespace window_test {

OpenedForm1::OpenedForm1(const QString& folder) : previous_folder_(Module1::NativePlatform().CurrentFolder()) {
    // Upper-casing follows the locale, as in the program.
    std::setlocale(LC_ALL, "C.UTF-8");
    if (chdir(QFile::encodeName(folder).constData()) != 0) qFatal("cannot enter %s", qPrintable(folder));
    form_ = std::make_unique<Form1>();
    form_->end_program = [this] { ended = true; };
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("the window did not appear");
}

OpenedForm1::~OpenedForm1() {
    form_.reset();
    [[maybe_unused]] const int ignored = chdir(previous_folder_.c_str());
}

ModalAnswerer::ModalAnswerer() { qApp->installEventFilter(this); }
ModalAnswerer::~ModalAnswerer() { qApp->removeEventFilter(this); }

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show) return false;
    // Answered from the dialog's own event loop, once it is running.
    if (auto* dialog = qobject_cast<QFileDialog*>(watched); dialog != nullptr && on_file_dialog) {
        QTimer::singleShot(0, dialog, [this, dialog] { on_file_dialog(dialog); });
    } else if (auto* box = qobject_cast<QMessageBox*>(watched); box != nullptr && on_message_box) {
        QTimer::singleShot(0, box, [this, box] { on_message_box(box); });
    }
    return false;
}

void TypeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) qFatal("the save dialog has no name box");
    // Set rather than typed key by key: the name box's completer would
    // take the Enter that confirms the dialog.
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

void PressOk(QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton); }

QString DisplayedText(const QLabel* label) {
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich) return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

QString DisplayedToolTip() {
    if (!QToolTip::isVisible()) return {};
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // Qt's tooltip is a label of its own.
        if (auto* tip = qobject_cast<QLabel*>(widget); tip != nullptr && tip->objectName() == "qtooltip_label") {
            return DisplayedText(tip);
        }
    }
    return QStringLiteral("(no tooltip label)");
}

void MakeHtmTree(const QString& tree, int folders, int files) {
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("%1/d%2").arg(tree).arg(f);
        QDir(folder).mkpath(".");
        for (int i = 0; i < files; ++i) QFile(QStringLiteral("%1/f%2.htm").arg(folder).arg(i)).open(QIODevice::WriteOnly);
    }
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

std::string Canonical(const QString& path) {
    return std::filesystem::canonical(QFile::encodeName(path).toStdString()).string();
}

}  // namespace window_test
