#include "folder_list.h"

#include <shellapi.h>

#include <algorithm>

#include "platform.h"
#include "shown_name.h"
#include "texts.h"
#include "win32_text.h"

using Module1::win32::Wide;

namespace {

// Sorted as Explorer sorts names for this user, ties kept in a fixed order.
void SortByName(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::wstring wa = Wide(a), wb = Wide(b);
        const int order = CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, wa.c_str(),
                                          static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()),
                                          nullptr, nullptr, 0);
        return order != CSTR_EQUAL && order != 0 ? order == CSTR_LESS_THAN : a < b;
    });
}

HICON FolderIcon(bool open) {
    SHSTOCKICONINFO stock{};
    stock.cbSize = sizeof stock;
    if (SUCCEEDED(SHGetStockIconInfo(open ? SIID_FOLDEROPEN : SIID_FOLDER, SHGSI_ICON | SHGSI_SMALLICON, &stock)) &&
        stock.hIcon != nullptr) {
        return stock.hIcon;
    }
    // Older shells (and Wine) give the folder pictures by attributes only.
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
    return info.hIcon;
}

}  // namespace

bool FolderList::Open(const std::string& root, const std::string& path, std::string& failure) {
    std::vector<std::string> names;
    if (!platform_.ListSubFolders(path, names, failure)) return false;
    std::erase_if(names, [](const std::string& name) { return name.empty() || name.front() == '.'; });
    SortByName(names);

    std::size_t open_row = 0;
    rows_ = FolderRows(root, path, names, open_row);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const FolderRow& row : rows_) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row.text).c_str()));
    }
    SendMessageW(list_, LB_SETCURSEL, open_row, 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);

    root_ = root;
    const bool changed = path != path_;
    path_ = path;
    if (changed && on_path_changed) on_path_changed();
    return true;
}

void FolderList::OpenHighlighted() {
    const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return;
    const std::string path = rows_[index].path;
    std::string failure;
    if (!Open(root_, path, failure) && show_message) {
        show_message(std::string(Module1::kCannotOpenFolder) + ": " + Module1::ShownName(path) + " (" + failure + ")");
    }
}

void FolderList::SetMetrics(int row_height, UINT dpi) {
    dpi_ = dpi;
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, row_height);
    InvalidateRect(list_, nullptr, TRUE);
}

void FolderList::DrawRow(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.size()) return;
    const FolderRow& row = rows_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(list_);
    // The open folder's row is filled in the highlight colour while the list
    // has the focus, so that the focus shows plainly, not only as a dotted
    // line. Without the focus, and during a run, it keeps a frame in that
    // colour: as plain as the system's own selection, where a face-coloured
    // fill was hard to tell from the list.
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool highlighted = selected && enabled && focused;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (selected && !highlighted) {
        const int width = MulDiv(2, static_cast<int>(dpi_), 96);
        RECT edge = item.rcItem;
        for (int i = 0; i < width; ++i, InflateRect(&edge, -1, -1)) FrameRect(item.hDC, &edge, GetSysColorBrush(COLOR_HIGHLIGHT));
    }

    const int icon = MulDiv(16, static_cast<int>(dpi_), 96);
    const int indent = MulDiv(7, static_cast<int>(dpi_), 96);
    RECT place = item.rcItem;
    place.left += 2 + indent * row.depth;
    static const HICON open_icon = FolderIcon(true), closed_icon = FolderIcon(false);
    if (HICON picture = row.open ? open_icon : closed_icon) {
        const int top = place.top + (place.bottom - place.top - icon) / 2;
        DrawIconEx(item.hDC, place.left, top, picture, icon, icon, 0, nullptr, DI_NORMAL);
    }
    place.left += icon + 3;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(!enabled ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // Shown with its controls escaped: a C1 control or a bidirectional
    // override in a name cannot hide or reorder the row.
    const std::wstring text = Wide(Module1::ShownName(row.text));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}
