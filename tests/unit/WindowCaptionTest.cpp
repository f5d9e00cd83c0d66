#include "WindowCaption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Copied(const std::wstring& text)
{
    wchar_t caption[256];
    std::fill(std::begin(caption), std::end(caption), L'#');
    CopyWindowCaption(text.c_str(), caption);
    return caption;
}

struct CaptionCase {
    const char* name;
    std::wstring text;
    std::wstring expected;
};

class CaptionCases : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionCases, KeepAtMost254UnitsAndWholeSurrogatePairs)
{
    EXPECT_EQ(Copied(GetParam().text), GetParam().expected);
}

const std::wstring k253(253, L'a');
const std::wstring kPair = {wchar_t(0xD83D), wchar_t(0xDE00)};

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionCases,
    ::testing::Values(CaptionCase{"Empty", L"", L""},
                      CaptionCase{"Short", L"Tarnhold Online", L"Tarnhold Online"},
                      CaptionCase{"Exactly254", k253 + L"b", k253 + L"b"},
                      CaptionCase{"LongerIsCut", k253 + L"bcdef", k253 + L"b"},
                      CaptionCase{"PairWithinTheLimitStays", std::wstring(252, L'a') + kPair + L"z",
                                  std::wstring(252, L'a') + kPair},
                      CaptionCase{"PairAcrossTheLimitIsDropped", k253 + kPair + L"z", k253},
                      CaptionCase{"LoneHighSurrogateAtTheLimitStays", k253 + wchar_t(0xD83D) + L"z",
                                  k253 + wchar_t(0xD83D)}),
    [](const ::testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

}  // namespace
