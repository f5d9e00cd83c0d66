// The host object as the browser's document-host UI handler, with the host
// window's defaults: no 3-D border, the default double-click action, the
// browser's own context menu, and neither the browser's menus nor its
// toolbars; and the browser's hotkeys that would leave the launch page are
// kept from it. Everything else is left to the browser.
#include "AxHostObject.h"

#include "BrowserCommandKeys.h"

namespace {

// The answer to a request for something the host does not give: the out
// parameter is emptied and `answer` returned.
template <typename Out>
HRESULT GiveNothing(Out** out, HRESULT answer)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return answer;
}

}  // namespace

// S_FALSE: the host showed no menu of its own, so the browser shows its own.
STDMETHODIMP CAxHost::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    return S_FALSE;
}

// Without a 3-D border a page laid out for exactly the client size fits it.
STDMETHODIMP CAxHost::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

// S_OK: the host takes care of the user interface, so the browser shows no
// menus or toolbars of its own; the launcher's window has none either.
STDMETHODIMP CAxHost::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                             IOleInPlaceUIWindow*)
{
    return S_OK;
}

STDMETHODIMP CAxHost::HideUI()
{
    return S_OK;
}

STDMETHODIMP CAxHost::UpdateUI()
{
    return S_OK;
}

STDMETHODIMP CAxHost::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::EnableModeless(BOOL)
{
    return S_OK;
}

// The browser asks before it acts on a key. S_OK takes the key from it, so that
// it does nothing: the keys that would open another window or dialog, another
// address, or walk the history away from the launch page. S_FALSE leaves every
// other key to the page.
STDMETHODIMP CAxHost::TranslateAccelerator(LPMSG message, const GUID*, DWORD)
{
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return S_FALSE;
    const KeyPress key{static_cast<unsigned>(message->wParam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0,
                       GetKeyState(VK_SHIFT) < 0};
    return IsBrowserCommandKey(key) ? S_OK : S_FALSE;
}

// No key of its own: the browser reads the user's settings.
STDMETHODIMP CAxHost::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    return GiveNothing(key, S_FALSE);
}

// No replacement: the browser keeps its own drop target.
STDMETHODIMP CAxHost::GetDropTarget(IDropTarget*, IDropTarget** replacement)
{
    return GiveNothing(replacement, E_NOTIMPL);
}

// The page gets no object of the launcher's.
STDMETHODIMP CAxHost::GetExternal(IDispatch** external)
{
    return GiveNothing(external, S_FALSE);
}

// Addresses are loaded as they are.
STDMETHODIMP CAxHost::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated)
{
    return GiveNothing(translated, S_FALSE);
}

// Clipboard and drag-and-drop data pass unchanged.
STDMETHODIMP CAxHost::FilterDataObject(IDataObject*, IDataObject** filtered)
{
    return GiveNothing(filtered, S_FALSE);
}
