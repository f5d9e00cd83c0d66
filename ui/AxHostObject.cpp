// The host object's identity and its control: reference counting, interface
// lookup, creating, activating, sizing and tearing down the hosted control.
#include "AxHostObject.h"

const IID IID_IAxWinHostWindow = {0xb6ea2050, 0x048a, 0x11d1, {0x82, 0xb9, 0x00, 0xc0, 0x4f, 0xb9, 0x94, 0x2e}};

CAxHost::CAxHost(HWND window, WNDPROC previousWindowProc)
    : m_window(window), m_previousWindowProc(previousWindowProc)
{
}

STDMETHODIMP CAxHost::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IAxWinHostWindow))
        *object = static_cast<IAxWinHostWindow*>(this);
    else if (IsEqualIID(iid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *object = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IDocHostUIHandler))
        *object = static_cast<IDocHostUIHandler*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CAxHost::AddRef()
{
    return ++m_references;
}

STDMETHODIMP_(ULONG) CAxHost::Release()
{
    const ULONG references = --m_references;
    if (references == 0)
        delete this;
    return references;
}

STDMETHODIMP CAxHost::CreateControl(LPCOLESTR name, HWND window, IStream* stream)
{
    return CreateControlEx(name, window, stream, nullptr, IID_NULL, nullptr);
}

// Creates the control from its ProgID and hosts it. Loading saved state and
// connecting event sinks are not supported: the launcher needs neither.
STDMETHODIMP CAxHost::CreateControlEx(LPCOLESTR name, HWND window, IStream* stream, IUnknown** control,
                                      REFIID, IUnknown* adviseSink)
{
    if (control)
        *control = nullptr;
    if (!name)
        return E_POINTER;
    if (stream || adviseSink)
        return E_NOTIMPL;
    CLSID classId;
    HRESULT result = CLSIDFromProgID(name, &classId);
    if (FAILED(result))
        return result;
    ComPtr<IUnknown> created;
    result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, created.PutVoid());
    if (FAILED(result))
        return result;
    result = AttachControl(created.Get(), window);
    if (SUCCEEDED(result) && control)
        *control = created.Detach();
    return result;
}

// Becomes the control's client site and activates it in place over the host
// window's client area. A control hosted before is torn down first; a control
// that fails on the way is torn down again, so the host never keeps one that is
// only half attached.
STDMETHODIMP CAxHost::AttachControl(IUnknown* control, HWND window)
{
    if (!control)
        return E_POINTER;
    if (window != m_window)
        return E_INVALIDARG;
    ReleaseControl();
    ComPtr<IOleObject> object;
    HRESULT result = control->QueryInterface(IID_IOleObject, object.PutVoid());
    if (FAILED(result))
        return result;
    m_control.Share(object.Get());
    result = SiteAndActivate(object.Get());
    if (FAILED(result))
        ReleaseControl();
    return result;
}

// A control that asks for its site first gets it before its initial state, as
// it may need the site's ambient properties to set itself up; any other gets
// it after.
HRESULT CAxHost::SiteAndActivate(IOleObject* control)
{
    DWORD status = 0;
    control->GetMiscStatus(DVASPECT_CONTENT, &status);
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
    IOleClientSite* site = static_cast<IOleClientSite*>(this);
    HRESULT result = siteFirst ? control->SetClientSite(site) : S_OK;
    if (FAILED(result))
        return result;
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()))) {
        result = persist->InitNew();
        if (FAILED(result))
            return result;
    }
    if (!siteFirst) {
        result = control->SetClientSite(site);
        if (FAILED(result))
            return result;
    }
    RECT client;
    GetClientRect(m_window, &client);
    return control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, m_window, &client);
}

STDMETHODIMP CAxHost::QueryControl(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!m_control)
        return E_FAIL;
    return m_control->QueryInterface(iid, object);
}

STDMETHODIMP CAxHost::SetExternalDispatch(IDispatch*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAxHost::SetExternalUIHandler(IDocHostUIHandlerDispatch*)
{
    return E_NOTIMPL;
}

void CAxHost::FitControlToWindow()
{
    RECT client;
    GetClientRect(m_window, &client);
    SetControlRects(client);
}

void CAxHost::SetControlRects(const RECT& area)
{
    ComPtr<IOleInPlaceObject> inPlace;
    if (m_control && SUCCEEDED(m_control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid())))
        inPlace->SetObjectRects(&area, &area);
}

// Undoes AttachControl in reverse order, so that the control lets go of its
// window and of its references to this site before OLE goes away. The host
// lets go of the control first: whatever the control's teardown sets off here
// (focus moving out of its window, say) finds the host empty.
void CAxHost::ReleaseControl()
{
    ComPtr<IOleObject> control(m_control.Detach());
    if (!control)
        return;
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid())))
        inPlace->InPlaceDeactivate();
    inPlace.Reset();
    m_activeObject.Reset();
    m_uiActive = false;
    control->Close(OLECLOSE_NOSAVE);
    control->SetClientSite(nullptr);
}
