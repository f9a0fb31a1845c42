#pragma once

// Texts of the detail box's placeholders: their tooltips and why a value
// does not fit where it stands.
namespace PlaceholderTexts {

// The tooltip of a placeholder still to be filled: its description, then a
// hint of its kind (may be empty).
inline constexpr char kFillIn[] = "把“<%1>”换成实际的值%2:单击它会整个选中,直接输入即可;"
                                  "命令里每一处“<%1>”都会一起改变\nF3 / Shift+F3:转到下一个 / 上一个要填的地方";
// The tooltip of a filled value: the value, its description; then how it is written here.
inline constexpr char kFilled[] = "已填入“%1”,命令里每一处“<%2>”都是这个值";
inline constexpr char kQuotedHere[] = "\n为了让shell原样读到它,这里写作 %1";

// Hints of the kinds, shown in brackets after the description.
inline constexpr char kHintCommand[] = "(一条命令,原样放入,不加引号)";
inline constexpr char kHintDomain[] = "(例如 blog.mysite.cn)";
inline constexpr char kHintDomainOrIp[] = "(例如 blog.mysite.cn 或 192.168.1.10)";
inline constexpr char kHintIpAddress[] = "(例如 192.168.1.10)";
inline constexpr char kHintPort[] = "(1到65535之间的整数)";
inline constexpr char kHintPortRange[] = "(例如 8080,或一段端口 8000:8100)";
inline constexpr char kHintUserName[] = "(例如 alice)";
inline constexpr char kHintMySqlUserName[] = "(例如 alice 或 blog.admin)";
inline constexpr char kHintDatabaseName[] = "(例如 blog_db)";
inline constexpr char kHintSiteFolder[] = "(例如 /var/www/blog)";
inline constexpr char kHintPublicKey[] = "(.pub 文件里以 ssh-ed25519 或 ssh-rsa 开头的一行)";

// Why a value does not fit.
inline constexpr char kNotDomain[] = "这不是可用的域名:由“.”隔开的几段组成,每段是英文字母、数字、“-”或中文等文字,"
                                     "不能以“-”开头或结尾,最后一段不能全是数字,例如 blog.mysite.top";
inline constexpr char kNotIpAddress[] = "这不是IP地址:IPv4写作四段0到255的数字,例如 192.168.1.10";
inline constexpr char kNotDomainOrIp[] = "这既不是可用的域名,也不是IP地址";
inline constexpr char kNotPort[] = "端口号是1到65535之间的整数,前面不带0";
inline constexpr char kNotPortRange[] = "端口号是1到65535之间的整数,前面不带0;这条命令也接受一段端口,写作“8000:8100”,小的在前";
inline constexpr char kNotUserName[] = "用户名和组名要以小写英文字母开头,后面只能有小写英文字母、数字、“_”和“-”"
                                       "(最后可以是“$”),最多32个字符";
inline constexpr char kNotMySqlUserName[] = "MySQL用户名只能有英文字母、数字、“_”“.”“-”和“$”,最多32个字符";
inline constexpr char kNotDatabaseName[] = "数据库名只能有英文字母、数字、“_”“-”和“$”,不能全是数字,最多64个字符";
inline constexpr char kNotSiteFolder[] = "网站目录要写从“/”开始的完整路径,例如 /var/www/blog";
inline constexpr char kNotPublicKey[] = "公钥是 .pub 文件里的一行,以 ssh-ed25519、ssh-rsa 或 ecdsa- 开头,后面是一长串字母和数字";
inline constexpr char kPrivateKeyGiven[] = "这是私钥,不是公钥:私钥只能留在自己的电脑上,不要交给服务器或任何人;"
                                           "请填入同名 .pub 文件里的那一行";
inline constexpr char kWwwAdded[] = "这条命令自己会在域名前加上“www.”:这里填不带“www.”的域名,例如 mysite.cn";
inline constexpr char kLooksLikeOption[] = "以“-”开头的值在这里会被当作命令的选项";
inline constexpr char kCommandEndsLine[] = "命令里的“;”“&”“|”或“#”会把这一行后面的部分变成另一条命令或注释";

// Why a value is never copied: it would leave its place.
inline constexpr char kControlCharacter[] = "值里有看不见的控制字符(这里显示为“␃”这样的符号):粘贴到终端时它会被当作按键,"
                                            "让命令做别的事,复制时不会带上这个值";
inline constexpr char kLineBreakInHereDoc[] = "这里的值不能换行:换行会改变后面几行的意思,复制时不会带上这个值";
inline constexpr char kLineBreakInCommand[] = "命令里的换行会让后面的部分变成另一条命令,复制时不会带上这个值";
inline constexpr char kLineBreakInValue[] = "值里不能换行:粘贴到终端时换行就是按下回车,复制时不会带上这个值";
inline constexpr char kNotNumberInArithmetic[] = "这里的值会被当作算式计算,只能填不以0开头、最多18位的整数,复制时不会带上别的值";
inline constexpr char kMovesTheRest[] = "这个值会改变命令其余部分的读法(例如正好是here-document的结束标记),复制时不会带上这个值";
inline constexpr char kUnsurePlace[] = "看不准shell会怎样读这里的值,为了安全,复制时不会带上它";

// What 复制 says in place of its notice when it left values out: the first
// line, then one line for each placeholder left out, with why.
inline constexpr char kCopyWithheld[] = "命令已复制,但下面的值没有放进去,那里仍是尖括号里的说明,粘贴后命令不会执行:";
inline constexpr char kWithheldValue[] = "“<%1>”:%2";

} // namespace PlaceholderTexts
