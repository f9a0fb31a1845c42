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

namespace SubdomainTexts {

// The placeholders of the template, filled in this order.
inline constexpr char kDomainPlaceholder[] = "域名";
inline constexpr char kPathPlaceholder[] = "路径";

// A domain must hold at least one of these.
inline constexpr const char *kSuffixes[] = {"com", "cn", "org", "info", "hk", "me", "net"};

// The two lines that link the site into Apache's enabled sites; the domain
// follows the second line's start, then one blank, then the domain again
// with the link's suffix: Apache 2.4 on Debian and Ubuntu loads only the
// sites-enabled/*.conf files.
inline constexpr char kEnterSitesEnabled[] = "cd /etc/apache2/sites-enabled";
inline constexpr char kLinkSite[] = "ln -f -s ../sites-available/";
inline constexpr char kEnabledSiteSuffix[] = ".conf";

inline constexpr char kEnterDomain[] = "请输入域名";
inline constexpr char kWrongDomain[] = "域名不对,检查一下!";
// The confirmation: the first part, the domain, a paragraph break, the question.
inline constexpr char kConfirmDomain[] = "你要绑定的域名为：";
inline constexpr char kConfirmQuestion[] = "确定输入正确吗?";
inline constexpr char kCommandsCopied[] = "当前代码已复制到你的剪贴板，现在直接在窗口中右键粘贴即可";
inline constexpr char kEnterPath[] = "请输入绑定路径";
// The folder and the domain stand unquoted in the configuration.
inline constexpr char kPathNotOneWord[] = "绑定路径不能含有空格、引号、反斜杠、换行或“${”";
inline constexpr char kDomainNotOneWord[] = "域名不能含有空格、引号、反斜杠、换行或“${”";
inline constexpr char kConfigCopied[] = "内容已复制,请继续按下方提示操作";

} // namespace SubdomainTexts
