// The stand-in browser control's identity, its life as an OLE object and its
// one automation call.
#include "StandInBrowser.h"

#include "CallRecord.h"
#include "StandInBrowserLifetime.h"
#include "TextConversion.h"

#include <cstdlib>
#include <cstring>

const CLSID CLSID_StandInBrowser = {0x181f8132, 0x4b80, 0x489f, {0x81, 0xcf, 0xa7, 0xe4, 0x0a, 0xd0, 0x7c, 0x4e}};

namespace {

struct NamedInterface {
    const IID* iid;
    const char* name;
};

// The interfaces the stand-in answers for, by name.
const NamedInterface kAnswered[] = {
    {&IID_IUnknown, "IUnknown"},
    {&IID_IOleObject, "IOleObject"},
    {&IID_IOleWindow, "IOleWindow"},
    {&IID_IOleInPlaceObject, "IOleInPlaceObject"},
    {&IID_IOleInPlaceActiveObject, "IOleInPlaceActiveObject"},
    {&IID_IPersist, "IPersist"},
    {&IID_IPersistStreamInit, "IPersistStreamInit"},
    {&IID_IDispatch, "IDispatch"},
    {&IID_IWebBrowser, "IWebBrowser"},
    {&IID_IWebBrowserApp, "IWebBrowserApp"},
    {&IID_IWebBrowser2, "IWebBrowser2"},
};

// The name of an answered interface, or the IID in registry form; ASCII
// either way.
std::string InterfaceName(REFIID iid)
{
    for (const NamedInterface& known : kAnswered) {
        if (IsEqualIID(iid, *known.iid))
            return known.name;
    }
    wchar_t text[64] = {};
    StringFromGUID2(iid, text, 64);
    return std::string(text, text + std::wcslen(text));
}

// A call the host made: its name, then `more` fields.
void RecordCall(const char* name, const std::string& more = "")
{
    RecordLine("\"call\":\"" + std::string(name) + "\"" + (more.empty() ? "" : "," + more));
}

}  // namespace

CStandInBrowser::CStandInBrowser()
{
    RecordLine("\"event\":\"created\"");
    PrepareLifetimeWatch();
}

bool CStandInBrowser::MustFail(const char* method) const
{
    char failing[64] = {};
    const DWORD length = GetEnvironmentVariableA("STAND_IN_BROWSER_FAIL", failing, sizeof failing);
    return length < sizeof failing && std::strcmp(failing, method) == 0;
}

int CStandInBrowser::FieldsOfPage()
{
    char fields[16] = {};
    const DWORD length = GetEnvironmentVariableA("STAND_IN_BROWSER_FIELDS", fields, sizeof fields);
    return length > 0 && length < sizeof fields ? std::atoi(fields) : 0;
}

STDMETHODIMP CStandInBrowser::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject))
        *object = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
        *object = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWebBrowser) ||
             IsEqualIID(iid, IID_IWebBrowserApp) || IsEqualIID(iid, IID_IWebBrowser2))
        *object = static_cast<IWebBrowser2*>(this);
    RecordCall("QueryInterface",
               "\"iid\":\"" + InterfaceName(iid) + "\",\"answered\":" + JsonBool(*object != nullptr));
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CStandInBrowser::AddRef()
{
    return ++m_references;
}

STDMETHODIMP_(ULONG) CStandInBrowser::Release()
{
    const ULONG references = --m_references;
    if (references == 0)
        RecordLine("\"event\":\"final_release\"");
    return references;
}

HRESULT CStandInBrowser::QuerySite(REFIID iid, const char* name, void** object)
{
    *object = nullptr;
    const HRESULT result = m_site ? m_site->QueryInterface(iid, object) : E_UNEXPECTED;
    RecordLine("\"site_query\":\"" + std::string(name) + "\",\"answered\":" + JsonBool(SUCCEEDED(result)));
    return result;
}

// A new site is asked for its document-host UI handler and its host info at
// once, as the real control does before it shows any document.
STDMETHODIMP CStandInBrowser::SetClientSite(IOleClientSite* site)
{
    const bool failing = site && MustFail("SetClientSite");
    RecordCall("SetClientSite", "\"site\":" + JsonBool(site != nullptr) + ",\"failed\":" + JsonBool(failing));
    if (failing)
        return E_FAIL;
    m_uiHandler.Reset();
    m_controlSite.Reset();
    m_site.Share(site);
    if (!site)
        return S_OK;
    QuerySite(IID_IOleControlSite, "IOleControlSite", m_controlSite.PutVoid());
    if (SUCCEEDED(QuerySite(IID_IDocHostUIHandler, "IDocHostUIHandler", m_uiHandler.PutVoid()))) {
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof info;
        const HRESULT result = m_uiHandler->GetHostInfo(&info);
        RecordLine("\"site_call\":\"GetHostInfo\",\"result\":" + std::to_string(result) +
                   ",\"flags\":" + std::to_string(info.dwFlags) +
                   ",\"double_click\":" + std::to_string(info.dwDoubleClick));
    }
    return S_OK;
}

STDMETHODIMP CStandInBrowser::GetClientSite(IOleClientSite** site)
{
    RecordCall("GetClientSite");
    if (!site)
        return E_POINTER;
    *site = m_site.Get();
    if (*site)
        (*site)->AddRef();
    return S_OK;
}

STDMETHODIMP CStandInBrowser::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    RecordCall("SetHostNames");
    return S_OK;
}

// Closing deactivates first, as it does for a real control, and leaves a
// message for the control's hidden window, as a page that is still loading
// does.
STDMETHODIMP CStandInBrowser::Close(DWORD)
{
    RecordCall("Close");
    Deactivate();
    PostLateMessage();
    return S_OK;
}

STDMETHODIMP CStandInBrowser::SetMoniker(DWORD, IMoniker*)
{
    RecordCall("SetMoniker");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    RecordCall("GetMoniker");
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::InitFromData(IDataObject*, BOOL, DWORD)
{
    RecordCall("InitFromData");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::GetClipboardData(DWORD, IDataObject** data)
{
    RecordCall("GetClipboardData");
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

// In-place activation shows the control; UI activation, and showing or
// opening it, also gives it the focus.
STDMETHODIMP CStandInBrowser::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT position)
{
    const bool failing = MustFail("DoVerb");
    RecordCall("DoVerb", "\"verb\":" + std::to_string(verb) + ",\"parent\":" + JsonWindow(parent) +
                             (position ? ",\"position\":" + JsonRect(*position) : std::string()) +
                             ",\"failed\":" + JsonBool(failing));
    if (failing)
        return E_FAIL;
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace();
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_SHOW:
    case OLEIVERB_PRIMARY:
        return ActivateUI();
    case OLEIVERB_HIDE:
        DeactivateUI();
        return S_OK;
    }
    return OLEOBJ_S_INVALIDVERB;
}

STDMETHODIMP CStandInBrowser::EnumVerbs(IEnumOLEVERB** verbs)
{
    RecordCall("EnumVerbs");
    if (verbs)
        *verbs = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::Update()
{
    RecordCall("Update");
    return S_OK;
}

STDMETHODIMP CStandInBrowser::IsUpToDate()
{
    RecordCall("IsUpToDate");
    return S_OK;
}

STDMETHODIMP CStandInBrowser::GetUserClassID(CLSID* classId)
{
    RecordCall("GetUserClassID");
    if (!classId)
        return E_POINTER;
    *classId = CLSID_StandInBrowser;
    return S_OK;
}

STDMETHODIMP CStandInBrowser::GetUserType(DWORD, LPOLESTR* userType)
{
    RecordCall("GetUserType");
    if (userType)
        *userType = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP CStandInBrowser::SetExtent(DWORD, SIZEL*)
{
    RecordCall("SetExtent");
    return S_OK;
}

STDMETHODIMP CStandInBrowser::GetExtent(DWORD, SIZEL* size)
{
    RecordCall("GetExtent");
    if (!size)
        return E_POINTER;
    size->cx = 0;
    size->cy = 0;
    return S_OK;
}

STDMETHODIMP CStandInBrowser::Advise(IAdviseSink*, DWORD* connection)
{
    RecordCall("Advise");
    if (connection)
        *connection = 0;
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::Unadvise(DWORD)
{
    RecordCall("Unadvise");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::EnumAdvise(IEnumSTATDATA** advises)
{
    RecordCall("EnumAdvise");
    if (advises)
        *advises = nullptr;
    return E_NOTIMPL;
}

// The status of the real control: it wants its site before its initial state.
STDMETHODIMP CStandInBrowser::GetMiscStatus(DWORD, DWORD* status)
{
    RecordCall("GetMiscStatus");
    if (!status)
        return E_POINTER;
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

STDMETHODIMP CStandInBrowser::SetColorScheme(LOGPALETTE*)
{
    RecordCall("SetColorScheme");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::GetClassID(CLSID* classId)
{
    RecordCall("GetClassID");
    if (!classId)
        return E_POINTER;
    *classId = CLSID_StandInBrowser;
    return S_OK;
}

STDMETHODIMP CStandInBrowser::IsDirty()
{
    RecordCall("IsDirty");
    return S_FALSE;
}

STDMETHODIMP CStandInBrowser::Load(LPSTREAM)
{
    RecordCall("Load");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::Save(LPSTREAM, BOOL)
{
    RecordCall("Save");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::GetSizeMax(ULARGE_INTEGER*)
{
    RecordCall("GetSizeMax");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::InitNew()
{
    const bool failing = MustFail("InitNew");
    RecordCall("InitNew", "\"failed\":" + JsonBool(failing));
    return failing ? E_FAIL : S_OK;
}

// Records the address as the control got it; nothing is loaded.
STDMETHODIMP CStandInBrowser::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData,
                                       VARIANT* headers)
{
    const bool isText = url && url->vt == VT_BSTR;
    const std::wstring address = isText && url->bstrVal ? std::wstring(url->bstrVal, SysStringLen(url->bstrVal))
                                                        : std::wstring();
    const bool othersNull = !flags && !targetFrame && !postData && !headers;
    RecordCall("Navigate2", "\"url_is_text\":" + JsonBool(isText) + ",\"url\":" + JsonString(address) +
                                ",\"other_arguments_null\":" + JsonBool(othersNull));
    return isText ? S_OK : E_INVALIDARG;
}
