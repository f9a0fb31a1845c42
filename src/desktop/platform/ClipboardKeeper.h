#pragma once

// The copy outlives the program. On X11 the clipboard's text lives in the
// program that copied it; on a normal exit Qt hands it to the desktop's
// clipboard manager, and where none runs, a small child process of this
// same program takes the text over and serves it, as xclip does, until
// another program takes the clipboard.
namespace ClipboardKeeper {

// The argument that starts the program as the child that serves a text.
inline constexpr char kServeOption[] = "--serve-clipboard";

// At the program's end, before the application goes: when the clipboard holds
// the program's own text and no clipboard manager will take it, the child is
// started with it. Returns once the child holds the clipboard, or could not.
void handOver();

// The child's life (started with kServeOption): takes the text from its
// input, owns the clipboard with it, says so on its output, and serves it
// until another program takes the clipboard or the display goes.
int serve(int argc, char *argv[]);

} // namespace ClipboardKeeper
