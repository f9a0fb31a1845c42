#pragma once

// Texts of the subdomain binding page.
namespace SubdomainTexts {

// The Apache2 virtual host that the page copies: 42 lines, each ended by
// LF, with the placeholders "域名" (the domain) and "路径" (the directory).
inline constexpr char kVirtualHostTemplate[] =
    "\n"
    "<VirtualHost *:80>\n"
    "        ServerAdmin webmaster@localhost\n"
    "        ServerName 域名\n"
    "        DocumentRoot 路径\n"
    "        <Directory />\n"
    "                Options FollowSymLinks\n"
    "                AllowOverride None\n"
    "        </Directory>\n"
    "        <Directory /var/www/m>\n"
    "                Options Indexes FollowSymLinks MultiViews\n"
    "                AllowOverride None\n"
    "                Order allow,deny\n"
    "                allow from all\n"
    "        </Directory>\n"
    "\n"
    "        ScriptAlias /cgi-bin/ /usr/lib/cgi-bin/\n"
    "        <Directory \"/usr/lib/cgi-bin\">\n"
    "                AllowOverride None\n"
    "                Options +ExecCGI -MultiViews +SymLinksIfOwnerMatch\n"
    "                Order allow,deny\n"
    "                Allow from all\n"
    "        </Directory>\n"
    "\n"
    "        ErrorLog /var/log/apache2/error.log\n"
    "\n"
    "        # Possible values include: debug, info, notice, warn, error, crit,\n"
    "        # alert, emerg.\n"
    "        LogLevel warn\n"
    "\n"
    "        CustomLog /var/log/apache2/access.log combined\n"
    "\n"
    "    Alias /doc/ \"/usr/share/doc/\"\n"
    "    <Directory \"/usr/share/doc/\">\n"
    "        Options Indexes MultiViews FollowSymLinks\n"
    "        AllowOverride None\n"
    "        Order deny,allow\n"
    "        Deny from all\n"
    "        Allow from 127.0.0.0/255.0.0.0 ::1/128\n"
    "    </Directory>\n"
    "\n"
    "</VirtualHost>\n";

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
