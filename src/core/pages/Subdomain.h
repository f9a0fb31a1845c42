#pragma once

#include <QString>

// The subdomain binding tool: the domain check, the commands that link the
// site into Apache, and the virtual-host configuration.
namespace Subdomain {

enum class Verdict {
    Empty, // nothing typed
    Wrong, // no known suffix, a character that does not belong in a domain, or a leading "-"
    Ok,
};

// A domain passes when it holds one of the known suffixes anywhere (exact,
// case-sensitive) and nothing but ASCII letters, digits, "." and "-", and
// does not start with "-": the commands built from it are pasted into a root
// shell.
Verdict check(const QString &domain);

// The question that confirms the domain before anything is copied.
QString confirmation(const QString &domain);

// Two lines, without a line break at the end: change into Apache's enabled
// sites and link the domain's site there as "<domain>.conf", the name
// Apache 2.4 loads.
QString bindCommands(const QString &domain);

// Whether the text stands in a line of Apache's configuration as one word,
// read as it is written: it holds no blank, line break or other control
// character, no quote and no backslash, which Apache reads as the word's
// end, quoting, an escape or a line continued, and no "${", where Apache puts
// the value of one of its variables. An empty text passes.
bool isOneConfigWord(const QString &text);

// The template with every "域名" replaced by the domain, then every "路径" in
// the result by the path.
QString fillTemplate(const QString &hostTemplate, const QString &domain, const QString &path);

} // namespace Subdomain
