#include "panels/win/HtmlView.h"

#include <exdisp.h>
#include <oleauto.h>

namespace Portico {
namespace {

// The interface the hosting window hands out (with a reference for the caller), or null.
IUnknown* HostedControl(HWND hosting) {
    static const UINT getControl = RegisterWindowMessageW(L"WM_ATLGETCONTROL");
    if (!hosting || !getControl)
        return nullptr;
    return reinterpret_cast<IUnknown*>(SendMessageW(hosting, getControl, 0, 0));
}

} // namespace

bool HtmlView::Navigate(const std::wstring& url) {
    IUnknown* control = HostedControl(hosting);
    if (!control)
        return false;
    IWebBrowser2* browser = nullptr;
    const HRESULT found =
        control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
    control->Release();
    if (FAILED(found) || !browser)
        return false;
    BSTR address = SysAllocString(url.c_str());
    VARIANT empty;
    VariantInit(&empty);
    const HRESULT navigated = browser->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
    browser->Release();
    return SUCCEEDED(navigated);
}

} // namespace Portico
