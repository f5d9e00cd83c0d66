// The hosted control and the player's keyboard: UI activation when the host
// window gets the focus, keyboard messages offered to the control before they
// are translated and dispatched, and activation of the top-level window.
#include "AxHostObject.h"

namespace {

// The control's own window, or none for a control that has none yet.
HWND ControlWindow(IOleObject* control)
{
    ComPtr<IOleInPlaceObject> inPlace;
    HWND window = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid())))
        inPlace->GetWindow(&window);
    return window;
}

}  // namespace

// A control that is only in place active shows its content but has no focus;
// UI activation gives it the focus and its active object. A control that
// already is UI-active gets the focus back into its window, unless the focus
// already is somewhere inside it.
void CAxHost::FocusControl()
{
    ComPtr<IOleObject> control;
    control.Share(m_control.Get());
    if (!control)
        return;
    if (!m_uiActive) {
        RECT client;
        GetClientRect(m_window, &client);
        control->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, m_window, &client);
    }
    const HWND controlWindow = ControlWindow(control.Get());
    const HWND focus = GetFocus();
    if (controlWindow && focus != controlWindow && !IsChild(controlWindow, focus))
        SetFocus(controlWindow);
}

// The active object answers S_OK for a message it has acted on (Tab moving
// between fields, Ctrl+V pasting, ...) and S_FALSE for one it leaves to the
// ordinary translation and dispatch.
bool CAxHost::TranslateKeyForControl(MSG* message)
{
    ComPtr<IOleInPlaceActiveObject> active;
    active.Share(m_activeObject.Get());
    return active && active->TranslateAccelerator(message) == S_OK;
}

void CAxHost::OnFrameActivated(bool active)
{
    ComPtr<IOleInPlaceActiveObject> activeObject;
    activeObject.Share(m_activeObject.Get());
    if (activeObject)
        activeObject->OnFrameWindowActivate(active ? TRUE : FALSE);
}
