// Form1's controls as Windows' own, made from the window's description:
// kinds become window classes, twips become pixels at the window's actual
// resolution, and the system's message font is every control's font.

#include <algorithm>

#include "form1.h"
#include "texts.h"
#include "win32_ids.h"
#include "win32_text.h"

namespace fd = Form1Description;
using Module1::win32::Wide;

namespace {

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD extended_style;
};

WindowKind KindOf(fd::Kind kind) {
    switch (kind) {
    case fd::Kind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
    // Checked by the window, one per group, so that a group is the frame's
    // buttons whatever lies between them in the window's order.
    case fd::Kind::OptionButton: return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case fd::Kind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case fd::Kind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0};
    case fd::Kind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0};
    case fd::Kind::DriveList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case fd::Kind::FolderList:
        return {L"LISTBOX",
                LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

// Not WS_CLIPCHILDREN: a group box paints only its border, so the window
// must paint the ground inside the frames.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Whether every caption fits its control in the font: option buttons
// beside their round indicator, push buttons within their border, frames
// in their top line.
bool CaptionsFit(HDC dc, HFONT font, int dpi) {
    HGDIOBJ old = SelectObject(dc, font);
    bool fit = true;
    for (const fd::Control& c : fd::Controls()) {
        if (c.caption.empty()) continue;
        const std::wstring text = Wide(c.caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int room = fd::TwipsToPixels(c.place.width, dpi);
        if (c.kind == fd::Kind::OptionButton) room -= GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + MulDiv(4, dpi, 96);
        if (c.kind == fd::Kind::CommandButton || c.kind == fd::Kind::Frame) room -= MulDiv(16, dpi, 96);
        fit = fit && size.cx <= room;
    }
    SelectObject(dc, old);
    return fit;
}

}  // namespace

void Form1::CreateControls() {
    // Frames are drawn by their own window here, not a container, so they
    // go to the bottom of the stack: every control in or over a frame lies
    // above it. The rest keep the description's stacking.
    std::vector<const fd::Control*> order;
    for (const fd::Control& c : fd::Controls()) {
        if (c.kind != fd::Kind::Frame) order.push_back(&c);
    }
    for (const fd::Control& c : fd::Controls()) {
        if (c.kind == fd::Kind::Frame) order.push_back(&c);
    }
    controls_.assign(order.size(), nullptr);
    HWND previous = HWND_TOP;
    for (const fd::Control* c : order) {
        const WindowKind kind = KindOf(c->kind);
        const int id = ControlId(*c);
        HWND control = CreateWindowExW(kind.extended_style, kind.window_class, Wide(c->caption).c_str(),
                                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
        controls_[static_cast<std::size_t>(c->id)] = control;
    }
    SendMessageW(Control(fd::Id::Text1), EM_LIMITTEXT, 0, 0);
    SendMessageW(Control(fd::Id::Command_Exec), BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);

    menu_ = CreateMenu();
    HMENU about = CreatePopupMenu();
    AppendMenuW(about, MF_STRING, kAboutItemId, Wide(fd::kMenuItemCaption).c_str());
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(about), Wide(fd::kMenuCaption).c_str());
    SetMenu(window_, menu_);
}

// Fonts, places and the window's size for a resolution. `suggested` is the
// place Windows proposes when the window moves to a screen of another
// resolution; the first time the window opens at its designed place.
void Form1::ApplyDpi(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    // The system's message font, which shows Japanese on a Japanese system;
    // where its size is too wide for the designed controls (a substitute
    // font), the largest size at which every caption fits.
    LOGFONTW face = metrics.lfMessageFont;
    HDC dc = GetDC(window_);
    HFONT font = CreateFontIndirectW(&face);
    const LONG smallest = -MulDiv(9, static_cast<int>(dpi), 96);
    while (!CaptionsFit(dc, font, static_cast<int>(dpi)) && face.lfHeight < smallest) {
        DeleteObject(font);
        ++face.lfHeight;
        font = CreateFontIndirectW(&face);
    }
    ReleaseDC(window_, dc);
    for (HWND control : controls_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;

    const int d = static_cast<int>(dpi);
    RECT frame{0, 0, fd::TwipsToPixels(fd::kClientWidth, d), fd::TwipsToPixels(fd::kClientHeight, d)};
    AdjustWindowRectExForDpi(&frame, kFormStyle, TRUE, 0, dpi);
    int left = fd::TwipsToPixels(fd::kClientLeft, d) + frame.left;
    int top = fd::TwipsToPixels(fd::kClientTop, d) + frame.top;
    if (suggested != nullptr) {
        left = suggested->left;
        top = suggested->top;
    }
    SetWindowPos(window_, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    InvalidateRect(window_, nullptr, TRUE);
}

void Form1::PlaceControls() {
    const int d = static_cast<int>(dpi_);
    HDC screen = GetDC(window_);
    HGDIOBJ old = SelectObject(screen, font_);
    TEXTMETRICW text{};
    GetTextMetricsW(screen, &text);
    SelectObject(screen, old);
    ReleaseDC(window_, screen);

    for (const fd::Control& c : fd::Controls()) {
        const fd::Twips p = fd::PlaceInClientArea(c);
        int height = fd::TwipsToPixels(p.height, d);
        // A combo box's height is that of its list when dropped; the closed
        // box keeps the designed height through its item height.
        if (c.kind == fd::Kind::DriveList) {
            SendMessageW(Control(c.id), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         std::max<int>(height - MulDiv(6, d, 96), text.tmHeight));
            height = MulDiv(240, d, 96);
        }
        MoveWindow(Control(c.id), fd::TwipsToPixels(p.left, d), fd::TwipsToPixels(p.top, d),
                   fd::TwipsToPixels(p.width, d), height, TRUE);
    }
    Dir1->SetMetrics(std::max<int>(text.tmHeight, MulDiv(16, d, 96)) + MulDiv(2, d, 96), dpi_);
}

HWND Form1::Control(fd::Id control) const { return controls_.at(static_cast<std::size_t>(control)); }

int ControlId(const fd::Control& control) { return kFirstControlId + static_cast<int>(control.id); }

DWORD Form1Style() { return kFormStyle; }
