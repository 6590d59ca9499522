#include "common_dialog.h"

#include <algorithm>
#include <vector>

#include "form1_description.h"
#include "message_box.h"
#include "run_command.h"
#include "win32_text.h"

using Module1::win32::Utf8;
using Module1::win32::Wide;

decltype(&::GetSaveFileNameW) get_save_file_name = ::GetSaveFileNameW;

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

bool CommonDialog::ShowSave(HWND owner) {
    std::string folder = last_folder_;
    for (;;) {
        if (!ShowOnce(owner, folder) || !IsBlankFileName(FileName)) return !FileName.empty();
        // Windows' own dialog refuses such a name; where it does not (older
        // dialogs, Wine), the box says why and the dialog opens again there.
        ShowMessageBox(owner, Form1Description::kBlankFileName);
        folder = FolderOf(FileName);
        FileName.clear();
    }
}

bool CommonDialog::ShowOnce(HWND owner, const std::string& folder) {
    std::vector<wchar_t> name(32768, L'\0');  // room for a long path
    const std::wstring start = Wide(FileName);
    start.copy(name.data(), std::min(start.size(), name.size() - 1));
    const std::wstring title = Wide(DialogTitle);
    const std::wstring extension = Wide(DefaultExt);
    const std::wstring initial = Wide(folder);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    // Named explicitly: left alone, the dialog opens where Windows' record
    // of this program's dialogs points, not where the last listing went.
    dialog.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
    // Every file is offered: the listing may go into any existing file.
    dialog.lpstrFilter = L"すべてのファイル (*.*)\0*.*\0";
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The listing is appended to the file, never replaces it, so there is no
    // "replace?" question. The process's current folder stays where it is.
    // The listing is not added to the user's recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_LONGNAMES |
                   OFN_DONTADDTORECENT;

    const bool chosen = get_save_file_name(&dialog) && name[0] != L'\0';
    FileName = chosen ? Utf8(name.data()) : std::string();
    return chosen;
}

void CommonDialog::OutputWritten() {
    if (!FileName.empty()) last_folder_ = FolderOf(FileName);
}
