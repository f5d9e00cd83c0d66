#include "WindowCaption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Copied(const std::wstring& text)
{
    wchar_t caption[kCaptionBufferSize];
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

TEST_P(CaptionCases, KeepAtMostTheLongestCaptionAndWholeSurrogatePairs)
{
    EXPECT_EQ(Copied(GetParam().text), GetParam().expected);
}

// One unit short of the longest caption.
const std::wstring kAlmostLongest(kLongestCaption - 1, L'a');
const std::wstring kPair = {wchar_t(0xD83D), wchar_t(0xDE00)};

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionCases,
    ::testing::Values(CaptionCase{"Empty", L"", L""},
                      CaptionCase{"Short", L"Tarnhold Online", L"Tarnhold Online"},
                      CaptionCase{"ExactlyTheLongest", kAlmostLongest + L"b", kAlmostLongest + L"b"},
                      CaptionCase{"LongerIsCut", kAlmostLongest + L"bcdef", kAlmostLongest + L"b"},
                      CaptionCase{"PairWithinTheLimitStays", std::wstring(kLongestCaption - 2, L'a') + kPair + L"z",
                                  std::wstring(kLongestCaption - 2, L'a') + kPair},
                      CaptionCase{"PairAcrossTheLimitIsDropped", kAlmostLongest + kPair + L"z", kAlmostLongest},
                      CaptionCase{"LoneHighSurrogateAtTheLimitStays", kAlmostLongest + wchar_t(0xD83D) + L"z",
                                  kAlmostLongest + wchar_t(0xD83D)}),
    [](const ::testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

}  // namespace
