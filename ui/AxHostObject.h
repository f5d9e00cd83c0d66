// CAxHost: the host object behind one host window. It creates and holds one
// ActiveX control and is the control's container: its client site, control
// site, in-place site and document-host UI handler, and, through the frame
// object it holds, its in-place frame.
#pragma once

#include "AxHostFrame.h"
#include "AxWinHostWindow.h"
#include "ComPtr.h"

#include <ole2.h>

#include <mshtmhst.h>

class CAxHost final : public IAxWinHostWindow,
                      public IOleClientSite,
                      public IOleControlSite,
                      public IOleInPlaceSite,
                      public IDocHostUIHandler {
public:
    // Starts with one reference, which the window the host is attached to owns.
    CAxHost(HWND window, WNDPROC previousWindowProc);

    // The window procedure the host took the window's messages from.
    WNDPROC PreviousWindowProc() const { return m_previousWindowProc; }
    // Gives the control the window's whole client area.
    void FitControlToWindow();
    // Deactivates, closes and releases the control, leaving the host empty.
    void ReleaseControl();
    // The host window got the focus: the control is UI-activated if it is not
    // yet, and the focus goes on into the control's window.
    void FocusControl();
    // Offers a keyboard message to the control's active object; true when the
    // control used it, so it must be neither translated nor dispatched.
    bool TranslateKeyForControl(MSG* message);
    // Tells the control's active object that the top-level window was
    // activated or deactivated.
    void OnFrameActivated(bool active);
    // The top-level window the host window lives in: the frame window.
    HWND FrameWindow() const { return m_frame.FrameWindow(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IAxWinHostWindow
    STDMETHODIMP CreateControl(LPCOLESTR name, HWND window, IStream* stream) override;
    STDMETHODIMP CreateControlEx(LPCOLESTR name, HWND window, IStream* stream, IUnknown** control,
                                 REFIID adviseInterface, IUnknown* adviseSink) override;
    STDMETHODIMP AttachControl(IUnknown* control, HWND window) override;
    STDMETHODIMP QueryControl(REFIID iid, void** object) override;
    STDMETHODIMP SetExternalDispatch(IDispatch* external) override;
    STDMETHODIMP SetExternalUIHandler(IDocHostUIHandlerDispatch* handler) override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** extended) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG* message, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IOleWindow of the in-place site
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                  RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget, IDispatch* object) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* commandTarget,
                        IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* commandGroup, DWORD commandId) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    STDMETHODIMP GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
    STDMETHODIMP FilterDataObject(IDataObject* data, IDataObject** filtered) override;

private:
    ~CAxHost() = default;

    // Places the control's window over `area` of the host window.
    void SetControlRects(const RECT& area);
    // Gives the control this site and its initial state, in the order its
    // miscellaneous status asks for, then activates it in place.
    HRESULT SiteAndActivate(IOleObject* control);

    ULONG m_references = 1;
    HWND m_window;
    WNDPROC m_previousWindowProc;
    ComPtr<IOleObject> m_control;
    // The control's active object while it is UI-active, for keyboard
    // messages and frame activation.
    ComPtr<IOleInPlaceActiveObject> m_activeObject;
    bool m_uiActive = false;
    CAxHostFrame m_frame{*static_cast<IAxWinHostWindow*>(this), m_window, m_activeObject};
};
