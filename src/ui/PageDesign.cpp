#include "Design.h"

namespace Design {

namespace {

const Control kPageControls[] = {
    {"al(0)", Kind::Image, "um(0)", 7920, 120, 315, 315},
};

} // namespace

std::span<const Control> pageControls()
{
    return kPageControls;
}

} // namespace Design
