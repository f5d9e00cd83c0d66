// The stand-in browser control: an in-process ActiveX control that takes the
// place of the system's web browser control in the tests' own Wine prefix. It
// behaves toward its host as the real control does: it asks the site for its
// document-host UI handler and host info, creates its own window in the
// in-place parent, UI-activates on request or on a click, takes the focus and
// hands the frame its active object, and answers Navigate2. It records every
// call its host makes, and what it asked of the host in turn (CallRecord.h).
//
// The environment variable STAND_IN_BROWSER_FAIL may name one of SetClientSite,
// InitNew and DoVerb, which then fails with E_FAIL, for tests of a host's
// failure paths.
#pragma once

#include "ComPtr.h"
#include "WebBrowserStubs.h"

#include <ole2.h>

#include <mshtmhst.h>

// {181F8132-4B80-489F-81CF-A7E40AD07C4E}
extern const CLSID CLSID_StandInBrowser;

// The class of the control's own window.
extern const wchar_t kStandInBrowserWindowClass[];

class CStandInBrowser final : public IOleObject,
                              public IOleInPlaceObject,
                              public IOleInPlaceActiveObject,
                              public IPersistStreamInit,
                              public CWebBrowserStubs {
public:
    CStandInBrowser();

    // The control's window procedure hands its messages here.
    LRESULT OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* classId) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, shared by the in-place object and the active object
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* classId) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

    // IWebBrowser2
    STDMETHODIMP Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData,
                           VARIANT* headers) override;

private:
    // Never deleted: a call after the last release is then recorded rather
    // than crashing the host, and the test sees it.
    ~CStandInBrowser() = default;

    // Whether STAND_IN_BROWSER_FAIL names `method`.
    bool MustFail(const char* method) const;
    // Asks the site for an interface, recording the question and the answer.
    HRESULT QuerySite(REFIID iid, const char* name, void** object);
    HRESULT ActivateInPlace();
    HRESULT ActivateUI();
    // The work of UIDeactivate and InPlaceDeactivate, for the control's own
    // use too, where no call of the host's is to be recorded.
    void DeactivateUI();
    void Deactivate();
    HWND CreateOwnWindow(HWND parent, const RECT& position);

    ULONG m_references = 1;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IOleInPlaceFrame> m_frame;
    ComPtr<IOleInPlaceUIWindow> m_document;
    ComPtr<IDocHostUIHandler> m_uiHandler;
    HWND m_window = nullptr;
    bool m_uiActive = false;
};
