#pragma once

#include "Result.h"

#include <QString>

// What a placeholder stands for, where its description makes it clear, and
// whether a value fits it.
namespace ValueKind {

enum class Kind {
    Any,          // anything the user means
    Command,      // a command line of its own, written as typed
    Domain,       // a domain, by the subdomain page's rule
    DomainOrIp,   // a domain or an IP address
    IpAddress,    // an IPv4 or IPv6 address
    Port,         // 1 to 65535
    UserName,     // a user or group name, by Debian's rule
    DatabaseName, // a MySQL database name
};

// The kind of the placeholder "<word>".
Kind kindOf(const QString &word);

// Whether the value fits the kind; the failure says why not.
Result<void> check(Kind kind, const QString &value);

// What to type for a placeholder of the kind, such as an example; empty for Any.
QString hintOf(Kind kind);

} // namespace ValueKind
