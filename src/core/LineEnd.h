#pragma once

// The line end of every text the program hands out, on the clipboard and in
// Source.list: this platform's LF. A CR before it would reach the terminal the
// text is pasted into, where a here-document's lines would gain a CR or a
// blank line.
namespace LineEnd {
inline constexpr char kGiven[] = "\n";
} // namespace LineEnd
