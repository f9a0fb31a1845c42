#pragma once

#include "Result.h"

#include <QString>

// What a placeholder stands for, where its description and its command make
// it clear, and whether a value fits it.
namespace ValueKind {

enum class Kind {
    Any,           // anything the user means
    Command,       // a command line of its own, written as typed
    Domain,        // a host name: any suffix, any case, internationalised or "xn--"
    DomainOrIp,    // a domain or an IP address
    IpAddress,     // an IPv4 or IPv6 address
    Port,          // 1 to 65535
    PortRange,     // a port or a range of them, "8000:8100"
    UserName,      // a user or group name, by Debian's rule
    MySqlUserName, // a MySQL account name, which the command quotes for SQL
    DatabaseName,  // a MySQL database name, which the command quotes for SQL
    SiteFolder,    // a web site's folder, an absolute path
    PublicKey,     // one line of an SSH public key
};

// Where a placeholder stands, as far as its kind depends on it.
struct Setting {
    bool takesPortRange = false; // the command takes a range of ports, as ufw does
    bool sql = false;            // the command hands the value to MySQL
};

// The kind of the placeholder "<word>" where it stands.
Kind kindOf(const QString &word, const Setting &setting = {});

// Whether the value fits the kind; the failure says why not.
Result<void> check(Kind kind, const QString &value);

// What to type for a placeholder of the kind, such as an example; empty for Any.
QString hintOf(Kind kind);

} // namespace ValueKind
