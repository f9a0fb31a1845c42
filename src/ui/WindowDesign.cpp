#include "Design.h"

#include "AccessTexts.h"
#include "library/LibraryTexts.h"
#include "pages/PageTexts.h"
#include "pages/SourcesTexts.h"
#include "pages/SubdomainTexts.h"
#include "pages/TopicTexts.h"

namespace Design {

namespace {

using K = Kind;
using F = Font;

// Each topic button is 1575 x 615 twips, in two rows of five inside Picture1.
constexpr int kTopicWidth = 1575;
constexpr int kTopicHeight = 615;

const Control kWindowControls[] = {
    {"List1", K::ListBox, nullptr, 240, 1800, 4575, 3660, F::YaHei105, Plain, nullptr, 0, AccessTexts::kCommandList},
    {"Option1(1)", K::OptionButton, nullptr, 5040, 1800, 2175, 375, F::Default, Selected, LibraryTexts::kSearchByName, 97},
    {"Option1(0)", K::OptionButton, nullptr, 7080, 1800, 1815, 375, F::Default, Plain, LibraryTexts::kSearchByCode, 96},
    {"Picture3", K::PictureBox, nullptr, 4920, 2355, 615, 375, F::Default, NoBorder, nullptr, 20},
    {"Label3", K::Label, "Picture3", 120, 0, 480, 315, F::YaHei12, SizedToText, LibraryTexts::kSearchCaption},
    {"Text1", K::TextBox, nullptr, 5760, 2430, 3255, 270, F::Default, Plain, nullptr, 17, LibraryTexts::kSearchCaption},
    {"Text2", K::MultiLineTextBox, nullptr, 5040, 3000, 3975, 1575, F::YaHei105, Plain, nullptr, 19, AccessTexts::kCommandText},
    {"Command1", K::CommandButton, nullptr, 5040, 4800, 3975, 615, F::Default, Plain, LibraryTexts::kCopyButton, 18},
    {"Picture1", K::PictureBox, nullptr, 240, 5760, 8775, 1935, F::Default, Plain, nullptr, 8},
    {"Command5(0)", K::CommandButton, "Picture1", 1920, 240, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[0], 9},
    {"Command5(1)", K::CommandButton, "Picture1", 240, 960, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[1], 10},
    {"Command5(2)", K::CommandButton, "Picture1", 3600, 240, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[2], 11},
    {"Command5(3)", K::CommandButton, "Picture1", 1920, 960, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[3], 12},
    {"Command5(4)", K::CommandButton, "Picture1", 5280, 240, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[4], 13},
    {"Command5(5)", K::CommandButton, "Picture1", 5280, 960, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[5], 14},
    {"Command5(6)", K::CommandButton, "Picture1", 6960, 240, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[6], 15},
    {"Command5(7)", K::CommandButton, "Picture1", 6960, 960, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[7], 16},
    {"Command5(8)", K::CommandButton, "Picture1", 3600, 960, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[8], 22},
    {"Command5(9)", K::CommandButton, "Picture1", 240, 240, kTopicWidth, kTopicHeight, F::Default, Plain, TopicTexts::kCaptions[9], 23},
    {"Text6", K::MultiLineTextBox, nullptr, 12000, 3120, 4095, 4815, F::Default, Hidden, SubdomainTexts::kVirtualHostTemplate, 95},
    {"Image8", K::Image, nullptr, 0, 240, 6420, 1050, F::Default, Hidden},
    {"Image9", K::Image, nullptr, 8160, 0, 1050, 1035, F::Default, Hidden},
    {"Image10", K::Image, nullptr, 6960, 240, 195, 1515, F::Default, Hidden},
    // The page panels start closed, to the right of the client area, out of
    // view; assistive technology reads each by its title.
    {"um(0)", K::PictureBox, nullptr, 11520, 1560, 8415, 5295, F::Default, WindowColours | Hidden, nullptr, 1, SourcesTexts::kTitle},
    {"um(1)", K::PictureBox, nullptr, 12360, 1440, 8055, 5535, F::Default, WindowColours | Hidden, nullptr, 24, PageTexts::kApacheTitle},
    {"um(2)", K::PictureBox, nullptr, 10200, 1800, 8055, 5295, F::Default, WindowColours | Hidden, nullptr, 34, PageTexts::kMySqlTitle},
    {"um(3)", K::PictureBox, nullptr, 11280, 1320, 8055, 5295, F::Default, WindowColours | Hidden, nullptr, 45, PageTexts::kPhpTitle},
    {"um(4)", K::PictureBox, nullptr, 12000, 1320, 8175, 6015, F::Default, WindowColours | Hidden, nullptr, 57, PageTexts::kPhpMyAdminTitle},
    {"um(5)", K::PictureBox, nullptr, 9960, 1800, 8175, 7455, F::Default, WindowColours | Hidden, nullptr, 71, PageTexts::kSubdomainTitle},
    {"um(6)", K::PictureBox, nullptr, 10920, 360, 6015, 6375, F::Default, WindowColours | Hidden, nullptr, 91, PageTexts::kAboutTitle},
    // The copy notice, above everything else once shown.
    {"um(7)", K::PictureBox, nullptr, 3600, 3480, 2535, 615, F::Default, WindowColours | Hidden, nullptr, 98, LibraryTexts::kCopyDone},
    {"Label9", K::Label, "um(7)", 720, 120, 960, 315, F::YaHei12, SizedToText, LibraryTexts::kCopyDone},
};

} // namespace

std::span<const Control> windowControls()
{
    return kWindowControls;
}

} // namespace Design
