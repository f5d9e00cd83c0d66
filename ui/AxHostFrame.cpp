// The host's in-place frame: the top-level window has no menus, toolbars,
// status bar or accelerators of its own, so those requests are accepted
// without effect or declined; the active object goes to the host.
#include "AxHostFrame.h"

STDMETHODIMP CAxHostFrame::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IOleWindow) &&
        !IsEqualIID(iid, IID_IOleInPlaceUIWindow) && !IsEqualIID(iid, IID_IOleInPlaceFrame))
        return E_NOINTERFACE;
    *object = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CAxHostFrame::AddRef()
{
    return m_owner.AddRef();
}

STDMETHODIMP_(ULONG) CAxHostFrame::Release()
{
    return m_owner.Release();
}

HWND CAxHostFrame::FrameWindow() const
{
    return GetAncestor(m_hostWindow, GA_ROOT);
}

// The frame window: the top-level window, whose activation the control hears of.
STDMETHODIMP CAxHostFrame::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = FrameWindow();
    return S_OK;
}

STDMETHODIMP CAxHostFrame::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHostFrame::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP CAxHostFrame::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

// No widths means the control needs no border space, which is all there is.
STDMETHODIMP CAxHostFrame::SetBorderSpace(LPCBORDERWIDTHS widths)
{
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

// The control hands over its active object when it becomes UI-active and takes
// it back with null; the host keeps it to offer it keyboard messages and tell
// it of frame activation.
STDMETHODIMP CAxHostFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR)
{
    m_activeObject.Share(active);
    return S_OK;
}

STDMETHODIMP CAxHostFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHostFrame::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP CAxHostFrame::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHostFrame::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CAxHostFrame::EnableModeless(BOOL)
{
    return S_OK;
}

// S_FALSE: the frame has no accelerators of its own.
STDMETHODIMP CAxHostFrame::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}
