#pragma once

#include <QtGlobal>

// Texts and fixed values of the command library.
namespace LibraryTexts {
// The command database, relative to the application directory.
inline constexpr char kDatabaseFile[] = "db/main.mdb";
// Key of the command database.
inline constexpr char kDatabasePassword[] = "#@^%7!4&&9$2T*3!8(5)";
inline constexpr char kAdminQq[] = "1842057";
inline constexpr char kOpenFailed[] = "数据库链接出错!请联系管理员QQ:";
inline constexpr char kOpenFailedTitle[] = "提示";
inline constexpr char kQueryFailed[] = "数据库读取出错!请检查数据库文件后重试";
inline constexpr char kSearchTooComplex[] = "搜索条件太复杂,请换一个简单些的关键字!";
inline constexpr char kCopyDone[] = "复制成功";
// The most characters of a command laid out in the details box: a longer one
// is shown cut, and copied whole.
inline constexpr qsizetype kShownCommandLimit = 20000;
inline constexpr char kCommandCut[] = "……(指令太长,这里只显示开头部分;复制时复制完整指令)";
// The most UTF-16 units of a name laid out in the list or its tooltip, far
// more than the list is wide: a longer name is shown cut, with kNameCut after
// it, and searched and looked up whole.
inline constexpr qsizetype kShownNameLimit = 300;
inline constexpr char kNameCut[] = "…";
// Each "%" of a stored command stands for one line break.
inline constexpr char kStoredLineBreak = '%';
}

namespace LibraryTexts {
inline constexpr char kSearchByName[] = "使用名称进行搜索";
inline constexpr char kSearchByCode[] = "使用指令进行搜索";
inline constexpr char kSearchCaption[] = "搜索";
inline constexpr char kCopyButton[] = "复制";
}
