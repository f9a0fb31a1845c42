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
inline constexpr char kHintUserName[] = "(例如 alice)";
inline constexpr char kHintDatabaseName[] = "(例如 blog_db)";

// Why a value does not fit. The domain's text is followed by the known
// suffixes, joined by kSuffixSeparator.
inline constexpr char kNotDomain[] = "这不是可用的域名:只能有英文字母、数字、“.”和“-”,不能以“-”开头,"
                                     "还要带有这些后缀之一:";
inline constexpr char kSuffixSeparator[] = " ";
inline constexpr char kNotIpAddress[] = "这不是IP地址:IPv4写作四段0到255的数字,例如 192.168.1.10";
inline constexpr char kNotDomainOrIp[] = "这既不是可用的域名,也不是IP地址";
inline constexpr char kNotPort[] = "端口号是1到65535之间的整数,前面不带0";
inline constexpr char kNotUserName[] = "用户名和组名要以小写英文字母开头,后面只能有小写英文字母、数字、“_”和“-”"
                                       "(最后可以是“$”),最多32个字符";
inline constexpr char kNotDatabaseName[] = "数据库名只能有英文字母、数字、“_”和“$”,不能全是数字,最多64个字符";
inline constexpr char kLooksLikeOption[] = "以“-”开头的值在这里会被当作命令的选项";
inline constexpr char kLineBreakInHereDoc[] = "这里的值不能换行:换行会改变后面几行的意思";
inline constexpr char kCommandEndsLine[] = "命令里的“;”“&”“|”“#”或换行会把这一行后面的部分变成另一条命令或注释";

} // namespace PlaceholderTexts
