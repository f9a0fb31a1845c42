#pragma once

// Texts of the recommended-sources page.
namespace SourcesTexts {
inline constexpr char kTitle[] = "Ubuntu推荐源";
inline constexpr char kCopyButton[] = "复制";
inline constexpr char kWriteButton[] = "生成“Source.list”文件";
inline constexpr char kBackupHint[] = "操作前建议备份,路径：/etc/apt/sourse.list";
inline constexpr char kUpdateHint[] = "覆盖文件后，输入指令：apt-get update 即可";

inline constexpr char kCopied[] = "内容已复制!";
inline constexpr char kWritten[] = "Source.list文件已生成在当前软件目录下!";
// Followed by the file's path and the system's reason, one a line.
inline constexpr char kWriteFailed[] = "Source.list文件无法写入,请检查软件目录是否可以写入文件!";
// The reason given when Source.list is something other than a file.
inline constexpr char kNotRegularFile[] = "同名的Source.list不是普通文件,未作改动";

// The written file, in the application directory.
inline constexpr char kFileName[] = "Source.list";
} // namespace SourcesTexts
