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
    "  -h, --help            显示本帮助后退出\n"
    "  -v, --version         显示版本后退出\n"
    "      --search 关键字   列出命令库里与关键字相关的命令名称(按名称、拼音和常用说法)\n"
    "      --show 名称       显示这个名称的命令\n"
    "没有找到时退出状态为1。\n";
inline constexpr char kHelpEnglish[] =
    "Usage: tovanu [OPTION]\n"
    "Tovanu Beginner's Toolbox: shell commands, guides and generators for new\n"
    "Ubuntu server administrators.\n"
    "Without an option it opens the toolbox window; the command library is\n"
    "db/main.mdb in the program's folder.\n"
    "\n"
    "Options:\n"
    "  -h, --help            show this help and exit\n"
    "  -v, --version         show the version and exit\n"
    "      --search WORD     list the names of the library's commands that WORD\n"
    "                        finds (by name, pinyin and everyday words)\n"
    "      --show NAME       print the command of that name\n"
    "The exit status is 1 when nothing is found.\n";

inline constexpr char kSearch[] = "--search";
inline constexpr char kShow[] = "--show";

// Where "%1" stands, the argument goes, printed safely.
// An argument the program does not know.
inline constexpr char kUnknownChinese[] = "tovanu：无法识别的参数“%1”\n请用“tovanu --help”查看可用的选项。\n";
inline constexpr char kUnknownEnglish[] = "tovanu: unrecognized argument '%1'\nTry 'tovanu --help' for the options.\n";
// An option given without its value.
inline constexpr char kNeedsValueChinese[] = "tovanu：选项“%1”后面要跟一个参数\n请用“tovanu --help”查看可用的选项。\n";
inline constexpr char kNeedsValueEnglish[] = "tovanu: option '%1' requires an argument\nTry 'tovanu --help' for the options.\n";
// A search that finds nothing, and a name the library does not hold.
inline constexpr char kNothingFoundChinese[] = "tovanu：命令库里没有找到与“%1”相关的命令\n";
inline constexpr char kNothingFoundEnglish[] = "tovanu: no command in the library matches '%1'\n";
inline constexpr char kNoSuchNameChinese[] =
    "tovanu：命令库里没有名为“%1”的命令\n请用“tovanu --search 关键字”查找命令的名称。\n";
inline constexpr char kNoSuchNameEnglish[] =
    "tovanu: the library has no command named '%1'\nTry 'tovanu --search WORD' to find its name.\n";

// The locale variables that choose the language of messages, strongest
// first as GNU programs read them, and the language prefix that makes them
// English.
inline constexpr const char *kLocaleVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
inline constexpr char kEnglishPrefix[] = "en";
} // namespace CommandLineTexts
