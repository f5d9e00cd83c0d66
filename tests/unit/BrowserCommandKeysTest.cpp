#include "BrowserCommandKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KeyCase {
    const char* name;
    KeyPress key;
    bool taken;
};

class KeyCases : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCases, HostTakesOnlyTheKeysThatLeaveThePage)
{
    EXPECT_EQ(IsBrowserCommandKey(GetParam().key), GetParam().taken);
}

// Virtual-key codes as Windows numbers them.
constexpr unsigned kTab = 0x09, kReturn = 0x0D, kLeft = 0x25, kRight = 0x27, kDelete = 0x2E, kBack = 0x08;
constexpr unsigned kF4 = 0x73, kF5 = 0x74;
constexpr unsigned kBrowserBack = 0xA6, kBrowserForward = 0xA7, kBrowserRefresh = 0xA8, kBrowserSearch = 0xAA;
constexpr unsigned kBrowserFavorites = 0xAB, kBrowserHome = 0xAC;

// {key, control, alt, shift}
INSTANTIATE_TEST_SUITE_P(
    Table, KeyCases,
    ::testing::Values(KeyCase{"CtrlN", {'N', true, false, false}, true},
                      KeyCase{"CtrlO", {'O', true, false, false}, true},
                      KeyCase{"CtrlL", {'L', true, false, false}, true},
                      KeyCase{"CtrlP", {'P', true, false, false}, true},
                      KeyCase{"CtrlShiftP", {'P', true, false, true}, true},
                      KeyCase{"AltLeft", {kLeft, false, true, false}, true},
                      KeyCase{"AltRight", {kRight, false, true, false}, true},
                      KeyCase{"BrowserBack", {kBrowserBack, false, false, false}, true},
                      KeyCase{"BrowserForward", {kBrowserForward, false, false, false}, true},
                      KeyCase{"BrowserHome", {kBrowserHome, false, false, false}, true},
                      KeyCase{"BrowserSearch", {kBrowserSearch, false, false, false}, true},
                      KeyCase{"BrowserFavorites", {kBrowserFavorites, false, false, false}, true},
                      KeyCase{"BrowserBackWithCtrl", {kBrowserBack, true, false, false}, true},
                      KeyCase{"PlainN", {'N', false, false, false}, false},
                      KeyCase{"ShiftN", {'N', false, false, true}, false},
                      KeyCase{"AltGrN", {'N', true, true, false}, false},
                      KeyCase{"AltGrL", {'L', true, true, false}, false},
                      KeyCase{"CtrlA", {'A', true, false, false}, false},
                      KeyCase{"CtrlC", {'C', true, false, false}, false},
                      KeyCase{"CtrlV", {'V', true, false, false}, false},
                      KeyCase{"CtrlX", {'X', true, false, false}, false},
                      KeyCase{"CtrlZ", {'Z', true, false, false}, false},
                      KeyCase{"Tab", {kTab, false, false, false}, false},
                      KeyCase{"ShiftTab", {kTab, false, false, true}, false},
                      KeyCase{"Enter", {kReturn, false, false, false}, false},
                      KeyCase{"Delete", {kDelete, false, false, false}, false},
                      KeyCase{"Backspace", {kBack, false, false, false}, false},
                      KeyCase{"PlainLeft", {kLeft, false, false, false}, false},
                      KeyCase{"CtrlLeft", {kLeft, true, false, false}, false},
                      KeyCase{"AltF4", {kF4, false, true, false}, false},
                      KeyCase{"F5", {kF5, false, false, false}, false},
                      KeyCase{"BrowserRefresh", {kBrowserRefresh, false, false, false}, false}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
