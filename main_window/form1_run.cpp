// The Execute command: the save dialog, the capture of the choices, the
// locked window and the walk.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <exception>

#include "directory_walk.h"
#include "drive_list.h"
#include "folder_list.h"
#include "form1.h"
#include "form2.h"
#include "message_box.h"
#include "native_names.h"
#include "run_settings.h"
#include "window_hooks.h"

void Form1::InstallWindowHooks() {
    Module1::window_hooks.set_status = [this](const std::string& text) { pacer_.SetStatus(text); };
    Module1::window_hooks.process_events = [this] { pacer_.ProcessEvents(); };
    Module1::window_hooks.message_box = [this](const std::string&, const std::string& text) {
        // The box is the window's, titled as every box of the program; the
        // last match is on show before it opens.
        pacer_.End();
        ShowMessageBox(this, QString::fromUtf8(text));
    };
    // Read afresh for every line; the path keeps the file system's bytes.
    Module1::window_hooks.output_path = [this] {
        return TextToName(DialogHost().CommonDialog1.FileName);
    };
}

void Form1::Command_Exec_Click() {
    bool locked = false;
    try {
        CommonDialog& dialog = DialogHost().CommonDialog1;
        dialog.FileName.clear();
        if (opt_out1->isChecked()) {
            dialog.DefaultExt = QStringLiteral("htm");
        } else if (opt_out2->isChecked()) {
            dialog.DefaultExt = QStringLiteral("txt");
        }
        dialog.DialogTitle = QStringLiteral("検索結果を保存");
        // Cancel ends the command with the window as it was.
        if (!dialog.ShowSave(this)) return;

        setCursor(Qt::WaitCursor);
        CaptureRunSettings();
        SetRunLocked(true);
        locked = true;
        pacer_.Begin();
        Module1::RunSearch();
        pacer_.End();
        SetRunLocked(false);
        unsetCursor();
    } catch (const std::exception& error) {
        // A failed run says what failed, where and why, and gives the window
        // back; the lines already written stay.
        pacer_.End();
        ShowMessageBox(this, QString::fromUtf8(error.what()));
        if (locked) SetRunLocked(false);
        unsetCursor();
    }
}

void Form1::CaptureRunSettings() {
    Module1::RunSettings& s = Module1::run_settings;
    s.ext_htm = opt_ext1->isChecked();
    s.ext_jpg_gif = opt_ext2->isChecked();
    s.ext_jpg = opt_ext3->isChecked();
    s.ext_gif = opt_ext4->isChecked();
    s.ext_txt = opt_ext5->isChecked();
    s.ext_other = opt_ext6->isChecked();
    s.style_path_file = opt_inside_style1->isChecked();
    s.style_file = opt_inside_style2->isChecked();
    s.out_html = opt_out1->isChecked();
    s.out_text = opt_out2->isChecked();
    s.ext_free_text = Text1->text().toStdString();
}

void Form1::SetRunLocked(bool locked) {
    QWidget* const controls[] = {
        opt_ext1, opt_ext2,          opt_ext3,          opt_ext4, opt_ext5, opt_ext6, opt_inside_style1,
        opt_inside_style2, opt_out1, opt_out2, Text1, Command_Exec, Dir1, Drive1,
    };
    for (QWidget* control : controls) control->setEnabled(!locked);
}
