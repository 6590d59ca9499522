#pragma once

// What the Win32 window's tests share: a look at windows and pixels, the
// window as it opens, a stand-in for the annotation service, and a closer
// of the program's boxes.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "form1.h"  // windows.h first
#include "platform_win32.h"
#include "win32_calls.h"
#include "win32_text.h"

#include <shellapi.h>

namespace win32_test {

namespace fd = Form1Description;
using Module1::win32::Utf8;

inline std::string ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return Utf8(name);
}

inline std::string TextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return Utf8(text);
}

// The client area's pixels as the screen shows them.
inline std::vector<std::uint32_t> Pixels(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT r;
    GetClientRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(r.right) * r.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

// Removes the folder (a path ending in "\\") with all it holds.
inline void RemoveFolder(const std::wstring& folder) {
    const std::wstring from = folder.substr(0, folder.size() - 1) + L'\0';  // a list, ended by an empty name
    SHFILEOPSTRUCTW remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationW(&remove);
}

// Windows' own calls, but for the one a test puts a stand-in in for while
// it is set.
class StandInCalls final : public Module1::win32::Calls {
public:
    decltype(&::FindNextFileW) find_next_file = nullptr;
    decltype(&::WriteFile) write_file = nullptr;

    BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) override {
        return find_next_file != nullptr ? find_next_file(find, data) : Calls::FindNextFileW(find, data);
    }
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED place) override {
        return write_file != nullptr ? write_file(file, data, size, written, place)
                                     : Calls::WriteFile(file, data, size, written, place);
    }
};

// The window as the program opens it, in the foreground, Execute focused,
// over Windows' own calls or the stand-ins a test sets in calls_.
class Form1Win32 : public testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>(GetModuleHandleW(nullptr), nullptr, platform_);
        ShowWindow(form_->Window(), SW_SHOW);
        SetForegroundWindow(form_->Window());
        SetFocus(form_->Control(fd::Id::Command_Exec));
    }
    // The focus after the key, as the message loop would hand it on.
    std::string Press(WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(form_->PreTranslate(message));
        for (const fd::Control& c : fd::Controls()) {
            if (form_->Control(c.id) == GetFocus()) return std::string(c.name);
        }
        return "?";
    }
    StandInCalls calls_;
    Module1::WinPlatform platform_{calls_};
    std::unique_ptr<Form1> form_;
};

// Stands in for Windows' annotation service, which screen readers read
// (Wine answers no reader's question, so the names are checked where the
// window hands them over). Keeps the last text and state given for each control.
class RecordedAnnotations final : public IAccPropServices {
public:
    std::wstring Text(HWND control, const GUID& property) const {
        const auto found = texts_.find({control, Key(property)});
        return found == texts_.end() ? L"<none>" : found->second;
    }
    bool Live(HWND control) const { return live_.contains(control); }
    // The state annotated for the control, or -1 when none is.
    LONG State(HWND control) const {
        const auto found = states_.find(control);
        return found == states_.end() ? -1 : found->second;
    }

    HRESULT WINAPI QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID property, LPCWSTR text) override {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF) return E_INVALIDARG;
        texts_[{hwnd, Key(property)}] = text;
        return S_OK;
    }
    HRESULT WINAPI SetHwndProp(HWND hwnd, DWORD object, DWORD child, MSAAPROPID property, VARIANT value) override {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF || value.vt != VT_I4) return E_INVALIDARG;
        if (property == PROPID_ACC_STATE) {
            states_[hwnd] = value.lVal;
        } else if (value.lVal == 1) {
            live_.insert(hwnd);
        }
        return S_OK;
    }
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD, DWORD, const MSAAPROPID* properties, int count) override {
        for (int i = 0; i < count; ++i) {
            if (properties[i] == PROPID_ACC_STATE) states_.erase(hwnd);
        }
        return S_OK;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }

private:
    static std::string Key(const GUID& id) { return std::string(reinterpret_cast<const char*>(&id), sizeof id); }
    std::map<std::pair<HWND, std::string>, std::wstring> texts_;
    std::set<HWND> live_;
    std::map<HWND, LONG> states_;
};

// Waits (on a thread of its own, while the window's box holds the test's
// thread) for each of the next boxes titled MARROWPINE, keeps its text and
// closes it as the mouse would, at once.
class BoxCloser {
public:
    explicit BoxCloser(int boxes = 1)
        : thread_([this, boxes] {
              for (int tries = 0; tries < 600 && static_cast<int>(texts_.size()) < boxes; ++tries) {
                  HWND box = FindWindowW(L"#32770", L"MARROWPINE");
                  if (box == nullptr || !IsWindowVisible(box)) {
                      Sleep(100);
                      continue;
                  }
                  std::string text;
                  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                      if (ClassOf(child) == "Static" && !TextOf(child).empty()) text = TextOf(child);
                  }
                  texts_.push_back(text);
                  PostMessageW(box, WM_COMMAND, IDOK, 0);
                  while (IsWindow(box) && IsWindowVisible(box)) Sleep(10);
              }
          }) {}
    ~BoxCloser() {
        if (thread_.joinable()) thread_.join();
    }
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;
    // The boxes' texts, once they were closed.
    std::vector<std::string> Texts() {
        if (thread_.joinable()) thread_.join();
        return texts_;
    }
    // The first box's text; empty when none came.
    std::string Text() {
        const std::vector<std::string> texts = Texts();
        return texts.empty() ? std::string() : texts.front();
    }

private:
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace win32_test
