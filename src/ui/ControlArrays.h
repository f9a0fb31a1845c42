#pragma once

#include "pages/TopicTexts.h"

// The sizes of the window's control arrays.
namespace ControlArrays {
// The page panels um(0) to um(6), and with them the copy notice as the last
// panel, um(7); a close image al(i) for each page.
inline constexpr int kPageCount = 7;
inline constexpr int kPanelCount = 8;
inline constexpr int kCopyNotice = 7;
// The topic buttons Command5(i).
inline constexpr int kTopicCount = TopicTexts::kTopicCount;
// The command boxes Text4(i) of the pages; the last is the subdomain's field.
inline constexpr int kCommandBoxCount = 12;
inline constexpr int kDomainField = 11;
} // namespace ControlArrays
