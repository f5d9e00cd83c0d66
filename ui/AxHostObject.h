// CAxHost: the host object behind one host window. It creates and holds one
// ActiveX control and is the control's container: its client site, in-place
// site and in-place frame.
#pragma once

#include "AxWinHostWindow.h"
#include "ComPtr.h"

#include <ole2.h>

class CAxHost final : public IAxWinHostWindow,
                      public IOleClientSite,
                      public IOleInPlaceSite,
                      public IOleInPlaceFrame {
public:
    // Starts with one reference, which the window the host is attached to owns.
    CAxHost(HWND window, WNDPROC previousWindowProc);

    // The window procedure the host took the window's messages from.
    WNDPROC PreviousWindowProc() const { return m_previousWindowProc; }
    // Gives the control the window's whole client area.
    void FitControlToWindow();
    // Deactivates, closes and releases the control, leaving the host empty.
    void ReleaseControl();

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

    // IOleWindow, shared by the in-place site and the in-place frame
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

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override;

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU shared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

private:
    ~CAxHost() = default;

    // Places the control's window over `area` of the host window.
    void SetControlRects(const RECT& area);

    ULONG m_references = 1;
    HWND m_window;
    WNDPROC m_previousWindowProc;
    ComPtr<IOleObject> m_control;
};
