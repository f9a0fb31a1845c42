#pragma once

// What the program answers on the terminal: in Chinese, the window's own
// language, and in English under an English locale.
namespace CommandLineTexts {
inline constexpr char kHelpShort[] = "-h";
inline constexpr char kHelpLong[] = "--help";
inline constexpr char kVersionShort[] = "-v";
inline constexpr char kVersionLong[] = "--version";

// The version line: this, then the version the build gives.
inline constexpr char kVersionBefore[] = "tovanu ";

inline constexpr char kHelpChinese[] =
    "用法：tovanu [选项]\n"
    "Tovanu 新手工具箱：专为Ubuntu服务器新手打造的命令库、安装教程和配置生成器。\n"
    "不带选项时打开工具箱窗口；命令库是程序目录下的 db/main.mdb。\n"
    "\n"
    "选项：\n"
    "  -h, --help       显示本帮助后退出\n"
    "  -v, --version    显示版本后退出\n";
inline constexpr char kHelpEnglish[] =
    "Usage: tovanu [OPTION]\n"
    "Tovanu Beginner's Toolbox: shell commands, guides and generators for new\n"
    "Ubuntu server administrators.\n"
    "Without an option it opens the toolbox window; the command library is\n"
    "db/main.mdb in the program's folder.\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help and exit\n"
    "  -v, --version    show the version and exit\n";

// An argument the program does not know: this, the argument, then the rest.
inline constexpr char kUnknownBeforeChinese[] = "tovanu：无法识别的参数“";
inline constexpr char kUnknownAfterChinese[] = "”\n请用“tovanu --help”查看可用的选项。\n";
inline constexpr char kUnknownBeforeEnglish[] = "tovanu: unrecognized argument '";
inline constexpr char kUnknownAfterEnglish[] = "'\nTry 'tovanu --help' for the options.\n";

// The locale variables that choose the language of messages, strongest
// first, and the language prefix that makes them English.
inline constexpr const char *kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
inline constexpr char kEnglishPrefix[] = "en";
} // namespace CommandLineTexts
