#include "screen_reader.h"

#include <initguid.h>

#include "win32_text.h"

using Module1::win32::Wide;

namespace {

// The annotation service's class (oleacc), which MinGW's libraries lack.
DEFINE_GUID(kAccPropServicesClass, 0xb5f8350b, 0x0548, 0x48b1, 0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7);
// UI Automation's live setting, as an annotation (Windows 8 and later).
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb);
constexpr LONG kPolite = 1;

}  // namespace

ScreenReader::ScreenReader(IAccPropServices* service) : service_(service) {
    if (service_ != nullptr) {
        service_->AddRef();
        return;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    initialized_com_ = SUCCEEDED(com);
    // Without the service the window works as before, only unnamed.
    if (FAILED(CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&service_)))) {
        service_ = nullptr;
    }
}

ScreenReader::~ScreenReader() {
    if (service_ != nullptr) service_->Release();
    if (initialized_com_) CoUninitialize();
}

void ScreenReader::Name(HWND control, std::string_view name) {
    if (service_ == nullptr) return;
    service_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, Wide(name).c_str());
}

void ScreenReader::MakeLiveRegion(HWND control) {
    if (service_ == nullptr) return;
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    service_->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, polite);
}

void ScreenReader::Announce(HWND region, const std::string& status) {
    if (service_ != nullptr) {
        service_->SetHwndPropStr(region, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, Wide(status).c_str());
    }
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, region, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region, OBJID_CLIENT, CHILDID_SELF);
}

void ScreenReader::SetBusy(HWND window, bool busy) {
    if (service_ != nullptr) {
        if (busy) {
            // The annotation stands for the whole state: the window's client
            // can take the focus (it holds it during a run), and is busy.
            VARIANT state;
            VariantInit(&state);
            state.vt = VT_I4;
            state.lVal = STATE_SYSTEM_BUSY | STATE_SYSTEM_FOCUSABLE;
            service_->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_STATE, state);
        } else {
            const MSAAPROPID state = PROPID_ACC_STATE;
            service_->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &state, 1);
        }
    }
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}
