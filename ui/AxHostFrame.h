// CAxHostFrame: the in-place frame that a host object gives its control, for
// the top-level window the host window lives in: the window that is activated
// and deactivated as a whole, and that holds the frame's active object.
#pragma once

#include "ComPtr.h"

#include <ole2.h>

// A separate object from its host, since the frame's window is not the site's
// (IOleWindow::GetWindow answers the top-level window here, the host window
// there). It lives inside its host, counts its references on the host's
// `owner`, and keeps the control's active object in the host's `activeObject`.
class CAxHostFrame final : public IOleInPlaceFrame {
public:
    CAxHostFrame(IUnknown& owner, HWND hostWindow, ComPtr<IOleInPlaceActiveObject>& activeObject)
        : m_owner(owner), m_hostWindow(hostWindow), m_activeObject(activeObject)
    {
    }

    // The top-level window the host window lives in.
    HWND FrameWindow() const;

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
    IUnknown& m_owner;
    HWND m_hostWindow;
    ComPtr<IOleInPlaceActiveObject>& m_activeObject;
};
