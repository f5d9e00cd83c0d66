// IAxWinHostWindow: the interface of a host object, through which a caller
// creates or attaches the ActiveX control that the host window shows.
#pragma once

#include <ole2.h>

struct IDocHostUIHandlerDispatch;

// {B6EA2050-048A-11D1-82B9-00C04FB9942E}
extern const IID IID_IAxWinHostWindow;

struct IAxWinHostWindow : public IUnknown {
    // Creates the control named by a ProgID in `window`, optionally loading its
    // saved state from `stream`.
    virtual HRESULT STDMETHODCALLTYPE CreateControl(LPCOLESTR name, HWND window, IStream* stream) = 0;
    // The same, returning the control's IUnknown and connecting `adviseSink` to
    // the control's `adviseInterface` events.
    virtual HRESULT STDMETHODCALLTYPE CreateControlEx(LPCOLESTR name, HWND window, IStream* stream,
                                                      IUnknown** control, REFIID adviseInterface,
                                                      IUnknown* adviseSink) = 0;
    // Hosts a control that already exists.
    virtual HRESULT STDMETHODCALLTYPE AttachControl(IUnknown* control, HWND window) = 0;
    // Queries the hosted control for an interface.
    virtual HRESULT STDMETHODCALLTYPE QueryControl(REFIID iid, void** object) = 0;
    // Gives the page an object of the caller's (window.external).
    virtual HRESULT STDMETHODCALLTYPE SetExternalDispatch(IDispatch* external) = 0;
    // Lets the caller customise the browser's user interface.
    virtual HRESULT STDMETHODCALLTYPE SetExternalUIHandler(IDocHostUIHandlerDispatch* handler) = 0;
};
