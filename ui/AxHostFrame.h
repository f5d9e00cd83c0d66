// CAxHostFrame: the in-place frame that a host object gives its control, for
// the top-level window the host window lives in: the window that is activated
// and deactivated as a whole, and that holds the frame's active object.
#pragma once

#include <ole2.h>

class CAxHost;

// A separate object from its host, since the frame's window is not the site's
// (IOleWindow::GetWindow answers the top-level window here, the host window
// there). It lives inside its host and counts its references there.
class CAxHostFrame final : public IOleInPlaceFrame {
public:
    explicit CAxHostFrame(CAxHost& host) : m_host(host) {}

    CAxHostFrame(const CAxHostFrame&) = delete;
    CAxHostFrame& operator=(const CAxHostFrame&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

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
    CAxHost& m_host;
};
