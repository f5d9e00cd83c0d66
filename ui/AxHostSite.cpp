// The host object as the control's container: the calls the control makes back
// into its client site, control site and in-place site. The host is a plain
// window with no other controls, no property pages and no undo, so those
// requests are accepted without effect or declined.
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

STDMETHODIMP CAxHost::OnControlInfoChanged()
{
    return S_OK;
}

STDMETHODIMP CAxHost::LockInPlaceActive(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::GetExtendedControl(IDispatch** extended)
{
    if (extended)
        *extended = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::TransformCoords(POINTL*, POINTF*, DWORD)
{
    return E_NOTIMPL;
}

// The control offers a key it does not use itself, such as Tab past its last
// field. S_FALSE: the host has no other control to move to and no keys of its
// own, so the control keeps the key and the focus.
STDMETHODIMP CAxHost::TranslateAccelerator(MSG*, DWORD)
{
    return S_FALSE;
}

// The control got or lost the focus; the host keeps no state of its own about it.
STDMETHODIMP CAxHost::OnFocus(BOOL)
{
    return S_OK;
}

STDMETHODIMP CAxHost::ShowPropertyFrame()
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

// The control's frame is the host's frame object, for the top-level window the
// host window lives in; there is no separate document window. The control gets
// the host window's whole client area, unclipped. Every out parameter given is
// emptied first, so that a failure leaves nothing for the control to release.
STDMETHODIMP CAxHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                       RECT* clip, OLEINPLACEFRAMEINFO* frameInfo)
{
    if (frame)
        *frame = nullptr;
    if (document)
        *document = nullptr;
    if (position)
        SetRectEmpty(position);
    if (clip)
        SetRectEmpty(clip);
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = &m_frame;
    m_frame.AddRef();
    GetClientRect(m_window, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = FrameWindow();
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
