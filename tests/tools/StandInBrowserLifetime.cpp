#include "StandInBrowserLifetime.h"

#include "CallRecord.h"
#include "TextConversion.h"

#include <objbase.h>

#include <string>

namespace {

const wchar_t kHiddenWindowClass[] = L"StandInBrowser Hidden";
const UINT kLateMessage = WM_APP + 1;

HWND g_hiddenWindow = nullptr;

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kLateMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    const HRESULT result = CoGetApartmentType(&type, &qualifier);
    RecordLine("\"event\":\"late_message\",\"com_initialised\":" + JsonBool(SUCCEEDED(result)) +
               ",\"result\":" + std::to_string(result));
    return 0;
}

// Records every CoUninitialize of the thread before it happens. It lives as
// long as the process, so its reference count means nothing.
class CUninitializeWatch final : public IInitializeSpy {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IInitializeSpy))
            return E_NOINTERFACE;
        *object = static_cast<IInitializeSpy*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP PreInitialize(DWORD, DWORD) override { return S_OK; }
    STDMETHODIMP PostInitialize(HRESULT result, DWORD, DWORD) override { return result; }
    STDMETHODIMP PreUninitialize(DWORD references) override
    {
        RecordLine("\"event\":\"com_uninitialize\",\"apartment_references\":" + std::to_string(references));
        return S_OK;
    }
    STDMETHODIMP PostUninitialize(DWORD) override { return S_OK; }
};

CUninitializeWatch g_uninitializeWatch;

HINSTANCE PinnedModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&HiddenWindowProc), &module);
    return module;
}

}  // namespace

void PrepareLifetimeWatch()
{
    if (g_hiddenWindow)
        return;
    const HINSTANCE module = PinnedModule();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kHiddenWindowClass;
    RegisterClassW(&windowClass);
    g_hiddenWindow = CreateWindowExW(0, kHiddenWindowClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                                     nullptr);
    ULARGE_INTEGER cookie;
    const HRESULT watching = CoRegisterInitializeSpy(&g_uninitializeWatch, &cookie);
    RecordLine("\"event\":\"watching_com\",\"result\":" + std::to_string(watching));
}

void PostLateMessage()
{
    const bool posted = g_hiddenWindow && PostMessageW(g_hiddenWindow, kLateMessage, 0, 0);
    RecordLine("\"event\":\"late_message_posted\",\"posted\":" + JsonBool(posted));
}
