// The images linked into the program decode to the sizes the panel lays out.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/png_image.h"

namespace tovanel::ui {
namespace {

std::vector<uint8_t> ReadFile(const std::string& name) {
    std::ifstream in(std::string(TOVANEL_ART_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ArtCase {
    const char* file;
    int32_t width;
    int32_t height;
};

class ArtTest : public ::testing::TestWithParam<ArtCase> {};

TEST_P(ArtTest, DecodesToItsLayoutSize) {
    const std::vector<uint8_t> bytes = ReadFile(GetParam().file);
    ASSERT_FALSE(bytes.empty());
    const std::optional<BgraImage> image = DecodePng(bytes.data(), bytes.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, GetParam().width);
    EXPECT_EQ(image->height, GetParam().height);
    EXPECT_EQ(image->pixels.size(), size_t(4) * image->width * image->height);
}

INSTANTIATE_TEST_SUITE_P(
    Art, ArtTest,
    ::testing::Values(ArtCase{"logo.png", 50, 50}, ArtCase{"mark_file.png", 16, 15},
                      ArtCase{"mark_text.png", 16, 15}, ArtCase{"logo-4x.png", 200, 200},
                      ArtCase{"mark_file-4x.png", 64, 60}, ArtCase{"mark_text-4x.png", 64, 60}));

TEST(PngImageTest, RefusesWhatIsNoPng) {
    const std::vector<uint8_t> logo = ReadFile("logo.png");
    ASSERT_GT(logo.size(), 100u);
    const std::vector<uint8_t> cut(logo.begin(), logo.begin() + logo.size() / 2);
    const std::string text = "not a picture";
    EXPECT_FALSE(DecodePng(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_FALSE(DecodePng(cut.data(), cut.size()));
    EXPECT_FALSE(DecodePng(nullptr, 0));
}

TEST(PngImageTest, BlendsOverBackgroundAndPremultiplies) {
    // One pixel each: opaque red, half-transparent white, fully transparent.
    BgraImage image{3, 1, {0, 0, 255, 255, 255, 255, 255, 128, 9, 9, 9, 0}};
    const BgraImage over = OverBackground(image, 0x000080);  // dark blue
    EXPECT_EQ(over.pixels,
              (std::vector<uint8_t>{0, 0, 255, 255, 192, 128, 128, 255, 128, 0, 0, 255}));
    const BgraImage pre = Premultiplied(image);
    EXPECT_EQ(pre.pixels, (std::vector<uint8_t>{0, 0, 255, 255, 128, 128, 128, 128, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace tovanel::ui
