// The host object as the control's container: the calls the control makes back
// into its client site, in-place site and in-place frame. The host is a plain
// window with no menus, toolbars, status bar or undo, so those requests are
// accepted without effect or declined.
#include "AxHostObject.h"

STDMETHODIMP CAxHost::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CAxHost::ShowObject()
{
    return S_OK;
}

STDMETHODIMP CAxHost::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// The control's window becomes a child of the host window.
STDMETHODIMP CAxHost::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = m_window;
    return S_OK;
}

STDMETHODIMP CAxHost::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::CanInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP CAxHost::OnInPlaceActivate()
{
    return S_OK;
}

// The control is about to take the focus and show its active state.
STDMETHODIMP CAxHost::OnUIActivate()
{
    m_uiActive = true;
    return S_OK;
}

// The host is the control's frame object and has no separate document window;
// the frame window is the top-level window the host window lives in, the one
// that is activated and deactivated as a whole. The control gets the host
// window's whole client area, unclipped.
STDMETHODIMP CAxHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                       RECT* clip, OLEINPLACEFRAMEINFO* frameInfo)
{
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(m_window, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(m_window, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CAxHost::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::OnUIDeactivate(BOOL)
{
    m_uiActive = false;
    return S_OK;
}

STDMETHODIMP CAxHost::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP CAxHost::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP CAxHost::DeactivateAndUndo()
{
    return S_OK;
}

// The control asks for a new place: it gets it.
STDMETHODIMP CAxHost::OnPosRectChange(LPCRECT position)
{
    if (!position)
        return E_POINTER;
    SetControlRects(*position);
    return S_OK;
}

STDMETHODIMP CAxHost::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP CAxHost::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

// No widths means the control needs no border space, which is all there is.
STDMETHODIMP CAxHost::SetBorderSpace(LPCBORDERWIDTHS widths)
{
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

// The control hands over its active object when it becomes UI-active and takes
// it back with null; the host keeps it to offer it keyboard messages and tell
// it of frame activation.
STDMETHODIMP CAxHost::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR)
{
    m_activeObject.Share(active);
    return S_OK;
}

STDMETHODIMP CAxHost::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP CAxHost::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CAxHost::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}
