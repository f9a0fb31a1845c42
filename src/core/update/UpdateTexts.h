#pragma once

// Texts and fixed values of the update check.
namespace UpdateTexts {
// The version this program is, as the version file writes it.
inline constexpr char kOwnVersion[] = "V1.1";
// In the version file this program's entry follows the marker; entries end in
// the separator.
inline constexpr char kMarker[] = "ubuntu:";
inline constexpr char kSeparator = '|';
// The request asks for the file as it is now, whatever a cache holds.
inline constexpr char kCacheHeader[] = "If-Modified-Since";
inline constexpr char kCacheHeaderValue[] = "0";

inline constexpr char kCheckFailed[] = "检测更新失败!请您稍后再试,暂时使用原版";
// The announcement of a new version: this, the version, then the rest.
inline constexpr char kNewVersionBefore[] = "发现最新版本![";
inline constexpr char kNewVersionAfter[] = "]\r\n \r\n确定后自动打开官方论坛!";
}
