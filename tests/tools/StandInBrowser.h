// The stand-in browser control: an in-process ActiveX control that takes the
// place of the system's web browser control in the tests' own Wine prefix. It
// behaves toward its host as the real control does: it asks the site for its
// document-host UI handler and host info and for its control site, creates its
// windows in the in-place parent (nested as the real control's are: an outer
// window, a document view in it and the page's window innermost, which takes
// the focus), UI-activates on request or on a click, hands the frame its active
// object, tells the control site of focus changes, offers every key to the
// host's UI handler before acting on it, keeps a hidden window that it posts
// to while closing (StandInBrowserLifetime.h), and answers Navigate2. It
// records every call its host makes, and what it asked of the host in turn
// (CallRecord.h).
//
// Environment variables for tests of a host:
//   STAND_IN_BROWSER_FAIL    SetClientSite, InitNew or DoVerb: that call fails
//                            with E_FAIL.
//   STAND_IN_BROWSER_FIELDS  N: the page has N fields, the first one focused.
//                            Tab moves to the next; on the last one the control
//                            declines Tab, as the real control does: it offers
//                            the key to the control site's TranslateAccelerator
//                            and, unless the site takes it, leaves it to the
//                            host's message loop and starts again before the
//                            first field. Without it every Tab moves on.
//   STAND_IN_BROWSER_PROBE_CONTEXT  1: before the in-place activation asks for
//                            its window context, the control asks once without
//                            a frame-info structure, with every other out
//                            parameter filled with a marker, and records which
//                            ones the failed call emptied.
#pragma once

#include "ComPtr.h"
#include "WebBrowserStubs.h"

#include <ole2.h>

#include <mshtmhst.h>

// {181F8132-4B80-489F-81CF-A7E40AD07C4E}
extern const CLSID CLSID_StandInBrowser;

// The classes of the control's windows: the outer one, which IOleWindow's
// GetWindow answers, the document view inside it, and the page's window.
extern const wchar_t kStandInBrowserWindowClass[];
extern const wchar_t kStandInViewWindowClass[];
extern const wchar_t kStandInPageWindowClass[];

class CStandInBrowser final : public IOleObject,
                              public IOleInPlaceObject,
                              public IOleInPlaceActiveObject,
                              public IPersistStreamInit,
                              public CWebBrowserStubs {
public:
    CStandInBrowser();

    // The window procedures of the outer window and of the page's window hand
    // their messages here.
    LRESULT OnOuterWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPageWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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
    // The number STAND_IN_BROWSER_FIELDS gives, 0 when it is not set.
    static int FieldsOfPage();
    // Asks the site for an interface, recording the question and the answer.
    HRESULT QuerySite(REFIID iid, const char* name, void** object);
    HRESULT ActivateInPlace();
    HRESULT ActivateUI();
    // The work of UIDeactivate and InPlaceDeactivate, for the control's own
    // use too, where no call of the host's is to be recorded.
    void DeactivateUI();
    void Deactivate();
    HWND CreateOwnWindows(HWND parent, const RECT& position);
    // A failing GetWindowContext call, for STAND_IN_BROWSER_PROBE_CONTEXT.
    void ProbeWindowContext();
    // What the page does with a key the host left to it: S_OK for one it used,
    // S_FALSE for one it leaves to the message loop.
    HRESULT TranslatePageKey(const MSG& message, bool& declined);
    // Tells the control site that the page got or lost the focus.
    void TellControlSiteOfFocus(bool got);

    ULONG m_references = 1;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IOleInPlaceFrame> m_frame;
    ComPtr<IOleInPlaceUIWindow> m_document;
    ComPtr<IDocHostUIHandler> m_uiHandler;
    ComPtr<IOleControlSite> m_controlSite;
    HWND m_window = nullptr;
    HWND m_pageWindow = nullptr;
    bool m_uiActive = false;
    // The page's fields, and the one that has the focus; -1 before the first.
    const int m_fields = FieldsOfPage();
    int m_field = 0;
};
