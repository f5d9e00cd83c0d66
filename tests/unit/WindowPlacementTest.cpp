#include "WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct PlacementCase {
    const char* name;
    int screenWidth;
    int screenHeight;
    int clientWidth;
    int clientHeight;
    int x;
    int y;
};

class PlacementCases : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementCases, CentresAndLiftsOnlyWhereTheScreenIsLarger)
{
    const PlacementCase& c = GetParam();
    const WindowOrigin origin = PlaceMainWindow(c.screenWidth, c.screenHeight, c.clientWidth, c.clientHeight);
    EXPECT_EQ(origin.x, c.x);
    EXPECT_EQ(origin.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlacementCases,
    ::testing::Values(PlacementCase{"ConfiguredSizeOnCommonScreen", 1366, 768, 1024, 640, 171, 54},
                      PlacementCase{"NoSizeConfigured", 1366, 768, 0, 0, 683, 374},
                      PlacementCase{"WidthEqualsScreen", 1366, 768, 1366, 640, 0, 54},
                      PlacementCase{"HeightEqualsScreenIsNotLifted", 1366, 768, 1024, 768, 171, 0},
                      PlacementCase{"LargerThanScreen", 1366, 768, 2000, 1000, 0, 0},
                      PlacementCase{"ScreenTallerByTwoGoesAboveTheTop", 1366, 768, 1024, 766, 171, -9},
                      PlacementCase{"OddDifferencesTruncate", 1366, 768, 1023, 639, 171, 54},
                      PlacementCase{"NegativeSizeBeyondTheScreen", 1366, 768, -100, -100, 733, 424},
                      PlacementCase{"MostNegativeSizeDoesNotOverflow", 1366, 768, INT_MIN, INT_MIN, 1073742507,
                                    1073742198},
                      PlacementCase{"LargestSizeIsLargerThanTheScreen", 1366, 768, INT_MAX, INT_MAX, 0, 0},
                      PlacementCase{"LargestScreenWithMostNegativeSize", INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MAX,
                                    INT_MAX - 10}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace
