#pragma once

// Texts of the subdomain binding page.
namespace SubdomainTexts {

// The Apache2 virtual host that the page copies: 42 lines, each ended by
// CR LF, with the placeholders "域名" (the domain) and "路径" (the directory).
inline constexpr char kVirtualHostTemplate[] =
    "\r\n"
    "<VirtualHost *:80>\r\n"
    "        ServerAdmin webmaster@localhost\r\n"
    "        ServerName 域名\r\n"
    "        DocumentRoot 路径\r\n"
    "        <Directory />\r\n"
    "                Options FollowSymLinks\r\n"
    "                AllowOverride None\r\n"
    "        </Directory>\r\n"
    "        <Directory /var/www/m>\r\n"
    "                Options Indexes FollowSymLinks MultiViews\r\n"
    "                AllowOverride None\r\n"
    "                Order allow,deny\r\n"
    "                allow from all\r\n"
    "        </Directory>\r\n"
    "\r\n"
    "        ScriptAlias /cgi-bin/ /usr/lib/cgi-bin/\r\n"
    "        <Directory \"/usr/lib/cgi-bin\">\r\n"
    "                AllowOverride None\r\n"
    "                Options +ExecCGI -MultiViews +SymLinksIfOwnerMatch\r\n"
    "                Order allow,deny\r\n"
    "                Allow from all\r\n"
    "        </Directory>\r\n"
    "\r\n"
    "        ErrorLog /var/log/apache2/error.log\r\n"
    "\r\n"
    "        # Possible values include: debug, info, notice, warn, error, crit,\r\n"
    "        # alert, emerg.\r\n"
    "        LogLevel warn\r\n"
    "\r\n"
    "        CustomLog /var/log/apache2/access.log combined\r\n"
    "\r\n"
    "    Alias /doc/ \"/usr/share/doc/\"\r\n"
    "    <Directory \"/usr/share/doc/\">\r\n"
    "        Options Indexes MultiViews FollowSymLinks\r\n"
    "        AllowOverride None\r\n"
    "        Order deny,allow\r\n"
    "        Deny from all\r\n"
    "        Allow from 127.0.0.0/255.0.0.0 ::1/128\r\n"
    "    </Directory>\r\n"
    "\r\n"
    "</VirtualHost>\r\n";

} // namespace SubdomainTexts
