#pragma once

#include <QString>

#include <optional>

// What each of the ten topic buttons does: open a page, or show a message
// (the unzip topic copies its command first).
namespace Topics {

// The page a topic opens; none for the message topics.
std::optional<int> pageOf(int topic);
// The message of a topic that opens no page.
QString messageOf(int topic);
// What a message topic puts on the clipboard before its message; empty for none.
QString copiedTextOf(int topic);

} // namespace Topics
