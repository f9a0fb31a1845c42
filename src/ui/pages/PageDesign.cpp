#include "ui/Design.h"

#include "ui/AccessTexts.h"
#include "pages/PageTexts.h"
#include "pages/SourcesTexts.h"

namespace Design {

namespace {

using K = Kind;
using F = Font;
using namespace PageTexts;

// Every close image is 315 x 315 twips at Top 120 of its page; step headings are 960 x 315 twips at
// Left 240 of their step box, command boxes 270 twips high.
constexpr int kCloseSize = 315;
constexpr int kCloseTop = 120;
constexpr int kStepLeft = 240;
constexpr int kStepWidth = 960;
constexpr int kStepHeight = 315;
constexpr int kCommandHeight = 270;

// A page's close image, which assistive technology reads as a button that
// closes the page.
constexpr Control closeImage(const char *name, const char *page, int left)
{
    return {name, K::Image, page, left, kCloseTop, kCloseSize, kCloseSize, F::Default, Plain, nullptr, kNoTabStop, AccessTexts::kClose};
}

const Control kPageControls[] = {
    // Recommended sources.
    closeImage("al(0)", "um(0)", 7920),
    {"Label1", K::Label, "um(0)", 240, 360, 1890, 375, F::YaHei1425, SizedToText, SourcesTexts::kTitle},
    {"Text3", K::MultiLineTextBox, "um(0)", 240, 1080, 7935, 3015, F::Default, Plain, nullptr, 2},
    {"Command3", K::CommandButton, "um(0)", 240, 4320, 1455, 615, F::Default, Plain, SourcesTexts::kCopyButton, 4},
    {"Command4", K::CommandButton, "um(0)", 1800, 4320, 2415, 615, F::Default, Plain, SourcesTexts::kWriteButton, 5},
    {"Label2(0)", K::Label, "um(0)", 4440, 4320, 3690, 180, F::Default, SizedToText, SourcesTexts::kBackupHint},
    {"Label2(1)", K::Label, "um(0)", 4440, 4680, 3690, 180, F::Default, SizedToText, SourcesTexts::kUpdateHint},

    // Apache2.
    closeImage("al(1)", "um(1)", 7560),
    {"Label4(0)", K::Label, "um(1)", 360, 360, 2340, 375, F::YaHei1425, SizedToText, kApacheTitle},
    {"Picture2", K::PictureBox, "um(1)", 360, 1200, 7335, 3855, F::Default, WindowColours, nullptr, 26},
    {"Label5", K::Label, "Picture2", 240, 360, 6855, 615, F::Default, Wraps, kApacheIntro},
    {"Label4(1)", K::Label, "Picture2", kStepLeft, 1200, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep1},
    {"Text4(0)", K::TextBox, "Picture2", 1920, 1785, 1695, kCommandHeight, F::Default, Plain, kUpdateCommand, 29},
    {"Label6(0)", K::Label, "Picture2", 240, 1800, 6975, 255, F::Default, Wraps, kUpdateStep},
    {"Label4(2)", K::Label, "Picture2", kStepLeft, 2400, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep2},
    {"Text4(1)", K::TextBox, "Picture2", 2280, 3000, 1935, kCommandHeight, F::Default, Plain, kApacheInstallCommand, 32},
    {"Label6(1)", K::Label, "Picture2", 240, 3015, 6615, 255, F::Default, Wraps, kApacheInstallStep},

    // MySQL.
    closeImage("al(2)", "um(2)", 7560),
    {"Label4(3)", K::Label, "um(2)", 360, 360, 2115, 375, F::YaHei1425, SizedToText, kMySqlTitle},
    {"Picture4", K::PictureBox, "um(2)", 360, 1080, 7335, 3735, F::Default, WindowColours, nullptr, 36},
    {"Label4(4)", K::Label, "Picture4", kStepLeft, 360, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep1},
    {"Text4(2)", K::TextBox, "Picture4", 1800, 840, 1695, kCommandHeight, F::Default, Plain, kUpdateCommand, 38},
    {"Label6(2)", K::Label, "Picture4", 240, 855, 6975, 255, F::Default, Wraps, kUpdateStep},
    {"Label4(5)", K::Label, "Picture4", kStepLeft, 1320, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep2},
    {"Text4(3)", K::TextBox, "Picture4", 2160, 1800, 2535, kCommandHeight, F::Default, Plain, kMySqlInstallCommand, 37},
    {"Label6(3)", K::Label, "Picture4", 240, 1815, 7215, 255, F::Default, Wraps, kMySqlInstallStep},
    {"Label4(6)", K::Label, "Picture4", kStepLeft, 2280, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep3},
    {"Label6(4)", K::Label, "Picture4", 240, 2760, 6255, 495, F::Default, Wraps, kMySqlPasswordStep},

    // PHP5.
    closeImage("al(3)", "um(3)", 7440),
    {"Label4(7)", K::Label, "um(3)", 360, 360, 1890, 375, F::YaHei1425, SizedToText, kPhpTitle},
    {"Picture6", K::PictureBox, "um(3)", 360, 960, 7335, 3735, F::Default, WindowColours, nullptr, 47},
    {"Label4(9)", K::Label, "Picture6", kStepLeft, 360, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep1},
    {"Text4(4)", K::TextBox, "Picture6", 1800, 840, 1695, kCommandHeight, F::Default, Plain, kUpdateCommand, 48},
    {"Label6(6)", K::Label, "Picture6", 240, 855, 6975, 255, F::Default, Wraps, kUpdateStep},
    {"Label4(10)", K::Label, "Picture6", kStepLeft, 1320, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep2},
    {"Text4(5)", K::TextBox, "Picture6", 2160, 1800, 2535, kCommandHeight, F::Default, Plain, kPhpInstallCommand, 49},
    {"Label6(7)", K::Label, "Picture6", 240, 1815, 7215, 255, F::Default, Wraps, kPhpInstallStep},
    {"Label4(8)", K::Label, "Picture6", kStepLeft, 2280, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep3},
    {"Text4(6)", K::TextBox, "Picture6", 2160, 2760, 2535, kCommandHeight, F::Default, Plain, kPhpExtensionsCommand, 55},
    {"Label6(5)", K::Label, "Picture6", 240, 2775, 7215, 255, F::Default, Wraps, kPhpExtensionsStep},

    // phpMyAdmin.
    closeImage("al(4)", "um(4)", 7560),
    {"Label4(14)", K::Label, "um(4)", 360, 360, 2970, 375, F::YaHei1425, SizedToText, kPhpMyAdminTitle},
    {"Picture5", K::PictureBox, "um(4)", 360, 1080, 7335, 4335, F::Default, WindowColours, nullptr, 58},
    {"Label4(13)", K::Label, "Picture5", kStepLeft, 360, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep1},
    {"Text4(9)", K::TextBox, "Picture5", 1800, 840, 1695, kCommandHeight, F::Default, Plain, kUpdateCommand, 61},
    {"Label6(10)", K::Label, "Picture5", 240, 855, 6975, 255, F::Default, Wraps, kUpdateStep},
    {"Label4(12)", K::Label, "Picture5", kStepLeft, 1320, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep2},
    {"Text4(8)", K::TextBox, "Picture5", 2160, 1800, 2535, kCommandHeight, F::Default, Plain, kPhpMyAdminInstallCommand, 60},
    {"Label6(9)", K::Label, "Picture5", 240, 1815, 7215, 255, F::Default, Wraps, kPhpMyAdminInstallStep},
    {"Label4(11)", K::Label, "Picture5", kStepLeft, 2280, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep3},
    {"Text4(7)", K::TextBox, "Picture5", 2160, 2760, 2535, kCommandHeight, F::Default, Plain, kPhpMyAdminLinkCommand, 59},
    {"Label6(8)", K::Label, "Picture5", 240, 2775, 7215, 255, F::Default, Wraps, kPhpMyAdminLinkStep},
    {"Label4(15)", K::Label, "Picture5", kStepLeft, 3240, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep4},
    {"Label6(11)", K::Label, "Picture5", 240, 3720, 5310, 180, F::Default, SizedToText, kPhpMyAdminDone},

    // Binding a subdomain.
    closeImage("al(5)", "um(5)", 7680),
    {"Label4(20)", K::Label, "um(5)", 360, 240, 1995, 375, F::YaHei1425, SizedToText, kSubdomainTitle},
    {"Label6(16)", K::Label, "um(5)", 360, 840, 3780, 180, F::Default, SizedToText, kSubdomainIntro},
    {"Picture7", K::PictureBox, "um(5)", 360, 1200, 7335, 5895, F::Default, WindowColours, nullptr, 72},
    {"Label4(17)", K::Label, "Picture7", kStepLeft, 360, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep1},
    {"Label6(13)", K::Label, "Picture7", 240, 855, 6975, 255, F::Default, Wraps, kResolveStep},
    {"Label4(18)", K::Label, "Picture7", kStepLeft, 1320, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep2},
    {"Text4(11)", K::TextBox, "Picture7", 2880, 1800, 2535, kCommandHeight, F::Default, Plain, nullptr, 73},
    {"Command6", K::CommandButton, "Picture7", 5640, 1800, 1335, 255, F::Default, Plain, kBindButton, 84},
    {"Label6(14)", K::Label, "Picture7", 240, 1815, 7215, 255, F::Default, Wraps, kDomainStep},
    {"Label4(19)", K::Label, "Picture7", kStepLeft, 2280, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep3},
    {"Label6(15)", K::Label, "Picture7", 240, 2775, 7215, 255, F::Default, Wraps, kListStep},
    {"Label4(16)", K::Label, "Picture7", kStepLeft, 3240, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep4},
    {"Command7", K::CommandButton, "Picture7", 5040, 3600, 2055, 615, F::Default, Plain, kCopyConfigButton, 85},
    {"Label7", K::Label, "Picture7", 240, 3720, 4410, 180, F::Default, SizedToText, kPathPrompt},
    {"Text5", K::TextBox, "Picture7", 240, 3960, 4335, kCommandHeight, F::Default, Plain, kDefaultPath, 87},
    {"Label6(12)", K::Label, "Picture7", 240, 4440, 6930, 180, F::Default, SizedToText, kVimStep},
    {"Label4(21)", K::Label, "Picture7", kStepLeft, 4800, kStepWidth, kStepHeight, F::YaHei12, SizedToText, kStep5},
    {"Text4(10)", K::TextBox, "Picture7", 1200, 5280, 2415, kCommandHeight, F::Default, Plain, kRestartCommand, 89},
    {"Label6(17)", K::Label, "Picture7", 240, 5295, 6975, 255, F::Default, Wraps, kRestartStep},

    // About the software.
    closeImage("al(6)", "um(6)", 5520),
    {"Label4(22)", K::Label, "um(6)", 360, 360, 1140, 375, F::YaHei1425, SizedToText, kAboutTitle},
    {"Picture9", K::PictureBox, "um(6)", 360, 1080, 5295, 4935, F::Default, WindowColours, nullptr, 93},
    {"Label8", K::Label, "Picture9", 240, 360, 4815, 4335, F::YaHei105, Wraps, kAbout},
};

} // namespace

std::span<const Control> pageControls()
{
    return kPageControls;
}

} // namespace Design
