// The stand-in browser control in place: its own window in the site's window,
// in-place and UI activation with the calls a real control makes on its site,
// keyboard messages offered by the host, and deactivation.
#include "StandInBrowser.h"

#include "CallRecord.h"
#include "TextConversion.h"

const wchar_t kStandInBrowserWindowClass[] = L"StandInBrowser";

namespace {

void RecordCall(const char* name, const std::string& more = "")
{
    RecordLine("\"call\":\"" + std::string(name) + "\"" + (more.empty() ? "" : "," + more));
}

// A call the stand-in made on its site, with the site's answer.
void RecordSiteCall(const char* name, HRESULT result, const std::string& more = "")
{
    RecordLine("\"site_call\":\"" + std::string(name) + "\",\"result\":" + std::to_string(result) +
               (more.empty() ? "" : "," + more));
}

std::string ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return JsonString(name);
}

// A keyboard message and the keys that matter for it, as JSON fields.
std::string DescribeKey(UINT message, WPARAM wParam)
{
    const char* name = message == WM_KEYDOWN   ? "WM_KEYDOWN"
                       : message == WM_KEYUP   ? "WM_KEYUP"
                       : message == WM_CHAR    ? "WM_CHAR"
                       : message == WM_SYSKEYDOWN ? "WM_SYSKEYDOWN"
                       : message == WM_SYSKEYUP ? "WM_SYSKEYUP"
                                               : "other";
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return "\"message\":\"" + std::string(name) + "\",\"code\":" + std::to_string(message) +
           ",\"key\":" + std::to_string(wParam) + ",\"ctrl\":" + JsonBool(control);
}

// The keys a page handles itself, before they are translated: Tab moves
// between fields, Ctrl+V pastes.
bool IsPageKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return message.wParam == VK_TAB || (control && message.wParam == 'V');
}

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = reinterpret_cast<CStandInBrowser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control)
        return control->OnWindowMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&StandInWindowProc), &module);
    return module;
}

void RegisterWindowClassOnce(HINSTANCE module)
{
    WNDCLASSW existing;
    if (GetClassInfoW(module, kStandInBrowserWindowClass, &existing))
        return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = StandInWindowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kStandInBrowserWindowClass;
    RegisterClassW(&windowClass);
}

}  // namespace

HWND CStandInBrowser::CreateOwnWindow(HWND parent, const RECT& position)
{
    const HINSTANCE module = ThisModule();
    RegisterWindowClassOnce(module);
    const HWND window = CreateWindowExW(0, kStandInBrowserWindowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                        position.left, position.top, position.right - position.left,
                                        position.bottom - position.top, parent, nullptr, module, nullptr);
    if (window)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RecordLine("\"event\":\"window_created\",\"window\":" + JsonWindow(window) + ",\"parent\":" + JsonWindow(parent) +
               ",\"position\":" + JsonRect(position));
    return window;
}

// The site's consent, its window as the parent and its frame, then the
// control's own window over the position the site gives.
HRESULT CStandInBrowser::ActivateInPlace()
{
    if (m_window)
        return S_OK;
    HRESULT result = QuerySite(IID_IOleInPlaceSite, "IOleInPlaceSite", m_inPlaceSite.PutVoid());
    if (FAILED(result))
        return result;
    result = m_inPlaceSite->CanInPlaceActivate();
    RecordSiteCall("CanInPlaceActivate", result);
    if (result != S_OK)
        return E_FAIL;
    result = m_inPlaceSite->OnInPlaceActivate();
    RecordSiteCall("OnInPlaceActivate", result);
    HWND parent = nullptr;
    result = m_inPlaceSite->GetWindow(&parent);
    RecordSiteCall("GetWindow", result, "\"window\":" + JsonWindow(parent) + ",\"class\":" + ClassOf(parent));
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    result = m_inPlaceSite->GetWindowContext(m_frame.Put(), m_document.Put(), &position, &clip, &frameInfo);
    RecordSiteCall("GetWindowContext", result,
                   "\"frame\":" + JsonBool(m_frame.Get() != nullptr) + ",\"document\":" + JsonBool(m_document.Get() != nullptr) +
                       ",\"position\":" + JsonRect(position) + ",\"clip\":" + JsonRect(clip) +
                       ",\"frame_window\":" + JsonWindow(frameInfo.hwndFrame) +
                       ",\"frame_window_class\":" + ClassOf(frameInfo.hwndFrame) + ",\"frame_window_is_top_level\":" +
                       JsonBool(frameInfo.hwndFrame && GetAncestor(parent, GA_ROOT) == frameInfo.hwndFrame));
    m_window = CreateOwnWindow(parent, position);
    return m_window ? S_OK : E_FAIL;
}

// The site learns first, then the control takes the focus and hands the frame
// (and a document window, if there is one) its active object, and the UI
// handler is asked whether the browser's own menus and toolbars are to show.
HRESULT CStandInBrowser::ActivateUI()
{
    HRESULT result = ActivateInPlace();
    if (FAILED(result) || m_uiActive)
        return result;
    m_uiActive = true;
    result = m_inPlaceSite->OnUIActivate();
    RecordSiteCall("OnUIActivate", result);
    SetFocus(m_window);
    IOleInPlaceActiveObject* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (m_frame) {
        result = m_frame->SetActiveObject(active, L"StandInBrowser");
        RecordSiteCall("SetActiveObject", result, "\"active\":true,\"on\":\"frame\"");
    }
    if (m_document) {
        result = m_document->SetActiveObject(active, L"StandInBrowser");
        RecordSiteCall("SetActiveObject", result, "\"active\":true,\"on\":\"document\"");
    }
    if (m_uiHandler) {
        result = m_uiHandler->ShowUI(DOCHOSTUITYPE_BROWSE, active, nullptr, m_frame.Get(), m_document.Get());
        RecordSiteCall("ShowUI", result);
    }
    return S_OK;
}

STDMETHODIMP CStandInBrowser::UIDeactivate()
{
    RecordCall("UIDeactivate");
    DeactivateUI();
    return S_OK;
}

STDMETHODIMP CStandInBrowser::InPlaceDeactivate()
{
    RecordCall("InPlaceDeactivate");
    Deactivate();
    return S_OK;
}

// The active object is taken back from the frame before the site hears of it.
void CStandInBrowser::DeactivateUI()
{
    if (!m_uiActive)
        return;
    m_uiActive = false;
    if (m_uiHandler)
        RecordSiteCall("HideUI", m_uiHandler->HideUI());
    if (m_frame)
        RecordSiteCall("SetActiveObject", m_frame->SetActiveObject(nullptr, nullptr), "\"active\":false,\"on\":\"frame\"");
    if (m_document)
        RecordSiteCall("SetActiveObject", m_document->SetActiveObject(nullptr, nullptr),
                       "\"active\":false,\"on\":\"document\"");
    RecordSiteCall("OnUIDeactivate", m_inPlaceSite->OnUIDeactivate(FALSE));
}

void CStandInBrowser::Deactivate()
{
    if (!m_window)
        return;
    DeactivateUI();
    const HWND window = m_window;
    m_window = nullptr;
    DestroyWindow(window);
    RecordSiteCall("OnInPlaceDeactivate", m_inPlaceSite->OnInPlaceDeactivate());
    m_frame.Reset();
    m_document.Reset();
    m_inPlaceSite.Reset();
}

STDMETHODIMP CStandInBrowser::GetWindow(HWND* window)
{
    RecordCall("GetWindow");
    if (!window)
        return E_POINTER;
    *window = m_window;
    return m_window ? S_OK : E_FAIL;
}

STDMETHODIMP CStandInBrowser::ContextSensitiveHelp(BOOL)
{
    RecordCall("ContextSensitiveHelp");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    RecordCall("SetObjectRects", (position ? "\"position\":" + JsonRect(*position) : std::string("\"position\":null")) +
                                     (clip ? ",\"clip\":" + JsonRect(*clip) : std::string(",\"clip\":null")));
    if (!position)
        return E_POINTER;
    if (m_window)
        MoveWindow(m_window, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    return S_OK;
}

STDMETHODIMP CStandInBrowser::ReactivateAndUndo()
{
    RecordCall("ReactivateAndUndo");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::TranslateAccelerator(LPMSG message)
{
    if (!message)
        return E_POINTER;
    const bool handled = IsPageKey(*message);
    RecordCall("TranslateAccelerator", DescribeKey(message->message, message->wParam) +
                                           ",\"to_control_window\":" + JsonBool(message->hwnd == m_window) +
                                           ",\"handled\":" + JsonBool(handled));
    return handled ? S_OK : S_FALSE;
}

STDMETHODIMP CStandInBrowser::OnFrameWindowActivate(BOOL activate)
{
    RecordCall("OnFrameWindowActivate", "\"active\":" + JsonBool(activate != FALSE));
    return S_OK;
}

STDMETHODIMP CStandInBrowser::OnDocWindowActivate(BOOL activate)
{
    RecordCall("OnDocWindowActivate", "\"active\":" + JsonBool(activate != FALSE));
    return S_OK;
}

STDMETHODIMP CStandInBrowser::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    RecordCall("ResizeBorder");
    return S_OK;
}

STDMETHODIMP CStandInBrowser::EnableModeless(BOOL enable)
{
    RecordCall("EnableModeless", "\"enable\":" + JsonBool(enable != FALSE));
    return S_OK;
}

// What reaches the control's window: focus changes and keys, recorded; a click
// UI-activates the control, as it does a real one.
LRESULT CStandInBrowser::OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        RecordLine("\"window\":\"WM_SETFOCUS\"");
        break;
    case WM_KILLFOCUS:
        RecordLine("\"window\":\"WM_KILLFOCUS\"");
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        RecordLine("\"window\":\"key\"," + DescribeKey(message, wParam));
        break;
    case WM_LBUTTONDOWN:
        ActivateUI();
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
