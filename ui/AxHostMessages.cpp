#include "AxHostMessages.h"

UINT WM_ATLGETHOST = 0;
UINT WM_ATLGETCONTROL = 0;

void RegisterAxHostMessages()
{
    WM_ATLGETHOST = RegisterWindowMessageW(L"WM_ATLGETHOST");
    WM_ATLGETCONTROL = RegisterWindowMessageW(L"WM_ATLGETCONTROL");
}
