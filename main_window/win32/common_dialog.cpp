#include "common_dialog.h"

#include <commdlg.h>

#include <vector>

#include "win32_text.h"

using Module1::win32::Utf8;
using Module1::win32::Wide;

bool CommonDialog::ShowSave(HWND owner) {
    std::vector<wchar_t> name(32768, L'\0');  // room for a long path
    const std::wstring start = Wide(FileName);
    start.copy(name.data(), std::min(start.size(), name.size() - 1));
    const std::wstring title = Wide(DialogTitle);
    const std::wstring extension = Wide(DefaultExt);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    // Every file is offered: the listing may go into any existing file.
    dialog.lpstrFilter = L"すべてのファイル (*.*)\0*.*\0";
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The listing is appended to the file, never replaces it, so there is no
    // "replace?" question. The process's current folder stays where it is.
    // The listing is not added to the user's recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_LONGNAMES |
                   OFN_DONTADDTORECENT;

    const bool chosen = GetSaveFileNameW(&dialog) && name[0] != L'\0';
    FileName = chosen ? Utf8(name.data()) : std::string();
    return chosen;
}
