#pragma once

// Captions of the ten topic buttons, by index.
namespace TopicTexts {
inline constexpr int kTopicCount = 10;
inline constexpr const char *kCaptions[kTopicCount] = {
    "如何登陆Ubuntu",  // 0
    "如何安装PHP5",     // 1
    "如何安装Apache2",  // 2
    "如何绑定子域名",   // 3
    "如何安装MySQL",    // 4
    "Tovanu推荐源",     // 5
    "如何安装phpadmin", // 6
    "软件说明",         // 7
    "如何安装zip解压",  // 8
    "Ubuntu系统介绍",   // 9
};
}
