#include "WebControl.h"

#include "HostLog.h"

#include <exdisp.h>

#include <string>

namespace Lumora {
namespace {

// The first slots of IWebBrowser2, in its order, up to Navigate: the plug-in asks for the
// interface and calls Navigate only, so the slots after it are left out.
class RecordingBrowser : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IWebBrowser2)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    virtual HRESULT STDMETHODCALLTYPE GoBack() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GoForward() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GoHome() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GoSearch() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
        address = url ? url : L"";
        HostLog::Instance().Add(L"Navigate " + address);
        return S_OK;
    }

    const std::wstring& Address() const { return address; }
    // References the host's callers still hold; the host itself holds one.
    ULONG Borrowed() const { return references - 1; }

private:
    ULONG references = 1;
    std::wstring address;
};

RecordingBrowser& Browser() {
    static RecordingBrowser browser;
    return browser;
}

void Paint(HWND control) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text =
        Browser().Address().empty() ? L"(web page)" : L"Showing " + Browser().Address();
    DrawTextW(dc, text.c_str(), -1, &client, DT_LEFT | DT_TOP | DT_WORDBREAK);
    EndPaint(control, &paint);
}

} // namespace

LRESULT CALLBACK WebControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT getControl = RegisterWindowMessageW(L"WM_ATLGETCONTROL");
    if (message == getControl && getControl) {
        Browser().AddRef();
        InvalidateRect(control, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(static_cast<IUnknown*>(&Browser()));
    }
    if (message == WM_PAINT)
        return Paint(control), 0;
    return DefWindowProcW(control, message, wParam, lParam);
}

unsigned long WebControlReferencesHeld() {
    return Browser().Borrowed();
}

} // namespace Lumora
