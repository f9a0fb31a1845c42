#pragma once

// Texts of the tutorial pages: titles, step headings, step texts and the
// commands shown in the command boxes. Where a command belongs inside a
// sentence, the step text holds a run of blanks that its command box covers.
namespace PageTexts {

// Between the paragraphs of a message: a line holding one blank.
inline constexpr char kParagraphBreak[] = "\r\n \r\n";

inline constexpr char kStep1[] = "第一步：";
inline constexpr char kStep2[] = "第二步：";
inline constexpr char kStep3[] = "第三步：";
inline constexpr char kStep4[] = "第四步：";
inline constexpr char kStep5[] = "第五步：";

// The first step of every installation page.
inline constexpr char kUpdateStep[] = "登陆系统后执行：                       此命令用于更新系统源。(若执行过请忽略)";
inline constexpr char kUpdateCommand[] = "apt-get update";

// Apache2.
inline constexpr char kApacheTitle[] = "如何安装Apache2";
inline constexpr char kApacheIntro[] =
    "很多新手朋友，当然也包括我这个新手，在第一次安装Apache2时遇到了各种各样的问题，"
    "其实我们都把问题想复杂了，安装Apache2仅需很简单的两步。";
inline constexpr char kApacheInstallStep[] = "更新完毕后，执行命令：                       即可自动开始安装Apache2。";
inline constexpr char kApacheInstallCommand[] = "sudo apt-get install apache2";

// MySQL.
inline constexpr char kMySqlTitle[] = "如何安装MySQL";
inline constexpr char kMySqlInstallStep[] = "更新完毕后，执行命令：                               开始安装MySQL。";
inline constexpr char kMySqlInstallCommand[] = "sudo apt-get install mysql-server mysql-client";
inline constexpr char kMySqlPasswordStep[] =
    "如果期间弹出设置密码的地方,请设置密码,以免日后还需要在设置，输入密码后等待完成安装即可。";

// PHP5.
inline constexpr char kPhpTitle[] = "如何安装PHP5";
inline constexpr char kPhpInstallStep[] = "更新完毕后，执行命令：                               开始安装PHP5。";
inline constexpr char kPhpInstallCommand[] = "sudo apt-get install libapache2-mod-php5 php5";
inline constexpr char kPhpExtensionsStep[] = "安装完毕后，执行命令：                             完成PHP5扩展的安装即可。";
inline constexpr char kPhpExtensionsCommand[] = "apt-get install php5 php5-common php5-mysql php5-gd";

// phpMyAdmin.
inline constexpr char kPhpMyAdminTitle[] = "如何安装phpmyadmin";
inline constexpr char kPhpMyAdminInstallStep[] = "更新完毕后，执行命令：                               开始安装phpmyadmin。";
inline constexpr char kPhpMyAdminInstallCommand[] = "sudo apt-get install phpmyadmin";
inline constexpr char kPhpMyAdminLinkStep[] = "安装完毕后，执行命令：                             建立与phpmyadmin的链接。";
// Shown as it stands: the user puts in the directory.
inline constexpr char kPhpMyAdminLinkCommand[] = "sudo ln -s 路径 /var/www";
inline constexpr char kPhpMyAdminDone[] = "全部完成后，即可使用http://你的域名/phpmyadmin 来进行访问。";

// Binding a subdomain; the texts of its two tools are in SubdomainTexts.h.
inline constexpr char kSubdomainTitle[] = "如何绑定子域名";
inline constexpr char kSubdomainIntro[] = "绑定域名这个部分稍微复杂一点，大家仔细看。";
inline constexpr char kResolveStep[] = "首先将你要绑定的域名解析到你的空间ip上，并且保证已解析成功。";
inline constexpr char kDomainStep[] = "请在文本中输入你要绑定的域名";
inline constexpr char kBindButton[] = "ok";
inline constexpr char kListStep[] = "完成上述操作,在窗口中输入“ls”查看一下是否存在该域名（红色），就可以接着来";
inline constexpr char kCopyConfigButton[] = "复制代码";
inline constexpr char kPathPrompt[] = "请输入要绑定域名的文件路径：（“例如:/var/www”）";
inline constexpr char kDefaultPath[] = "/var/www";
inline constexpr char kVimStep[] = "使用命令“vim”该域名，并且将内容复制到该文件中,按下“Esc”输入“wq”进行保存";
inline constexpr char kRestartStep[] = "执行命令：                            重启Apache2，并访问该域名即可。";
inline constexpr char kRestartCommand[] = "sudo /etc/init.d/apache2 restart";

// About the software: two paragraphs with an empty line between them.
inline constexpr char kAboutTitle[] = "软件说明";
inline constexpr char kAbout[] =
    "开发这款软件也是一个机缘巧合，因为现在工作需要用到了Linux，对本人来说，Linux也是刚刚接触不久，"
    "本人也是一个新手菜鸟，但是通过这几天的摸索，也简单的掌握了一些经验，也许对前辈们来说这里的内容微不足道，"
    "但我希望可以通过自己这点短浅的经验帮助到更多跟我同处于新手学习时期的朋友们，帮助大家避免一些不必要的问题。"
    "\r\n\r\n"
    "软件第一版发布，内容非常稀少，再通过接下来的学习与经验积累，软件会随之更新的越来越强大，"
    "希望软件可以帮助到大家，也希望这方面的前辈们可以多多帮助晚辈来完善，非常感谢！";

// Beyond the design, on the pages whose commands no longer work on Ubuntu
// 22.04 and 24.04: a notice that names the library entry that works there. A
// click on it puts that name in the search box.
inline constexpr char kSourcesNoticeEntry[] = "换源:阿里云源Ubuntu"; // both releases' entries begin so
inline constexpr char kSourcesNotice[] = "以上是旧版的源，22.04/24.04请点此改用命令库的“换源:阿里云源Ubuntu”";
inline constexpr char kPhpNoticeEntry[] = "安装PHP及Apache2模块";
inline constexpr char kPhpNotice[] = "PHP5已停用，22.04/24.04请点此改用命令库的“安装PHP及Apache2模块”";
inline constexpr char kPhpMyAdminNoticeEntry[] = "安装phpMyAdmin(phpadmin)";
inline constexpr char kPhpMyAdminNotice[] = "Ubuntu 22.04/24.04不用建链接，请点此改用命令库的“安装phpMyAdmin(phpadmin)”";
inline constexpr char kSubdomainNoticeEntry[] = "绑定域名/添加网站(虚拟主机,Apache 2.4)";
inline constexpr char kSubdomainNotice[] = "Ubuntu 22.04/24.04上请点此改用命令库的“绑定域名/添加网站(虚拟主机,Apache 2.4)”";

} // namespace PageTexts
