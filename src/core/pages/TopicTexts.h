#pragma once

// The ten topic buttons: their captions and the texts of the three topics
// that show a message instead of a page.
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

// Paragraphs of the messages, joined by PageTexts::kParagraphBreak.
inline constexpr const char *kLoginMessage[] = {
    "登陆Ubuntu系统方法很多种,这里推荐大家使用putty",
    "下载后直接运行即可,第一步输入IP,端口(没有可忽略)，Type选择SSH",
    "配置完成后建议大家保存一下,双击后输入账号密码即可登陆",
};
inline constexpr const char *kUnzipMessage[] = {
    "仅需执行代码 “apt-get install unzip”即可",
    "代码现已自动复制到剪贴板,您只需在窗口中右键粘贴即可",
};
inline constexpr const char *kUbuntuMessage[] = {
    "ubuntu系统是一个以桌面应用为主的Linux操作系统，Ubuntu基于Debian发行版和GNOME桌面环境。"
    "Ubuntu的目标在于为一般用户提供一个最新的、同时又相当稳定的主要由自由软件构建而成的操作系统，"
    "它可免费使用，并带有社团及专业的支持应。",
};

// What the unzip topic puts on the clipboard.
inline constexpr char kUnzipCommand[] = "apt-get install unzip";
} // namespace TopicTexts
