#include "PrivacyPage.h"

namespace orvelservice {

QByteArray privacyPageHtml() {
    // Kept in step with what the application really sends: the two anonymous usage events and
    // the update query. Anything added to the client's traffic belongs on this page too.
    static const char page[] = R"(<!DOCTYPE html>
<html lang="zh-Hans">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>ORVEL 隐私政策</title>
<style>
body { font-family: sans-serif; max-width: 42em; margin: 2em auto; padding: 0 1em; line-height: 1.6; }
h1 { font-size: 1.5em; } h2 { font-size: 1.15em; margin-top: 1.6em; }
code { background: #f2f2f2; padding: 0 .25em; }
</style>
</head>
<body>
<h1>ORVEL 隐私政策</h1>
<p>ORVEL 是一款记录香港新股认购的桌面应用。我们尽量少收集信息：你的资金和认购数据只保存在你自己的电脑上。</p>

<h2>保存在本机的数据</h2>
<ul>
<li>你填写的资金金额、每只新股的申购股数、中签股数以及现金或融资方式，保存在本机的数据文件中。</li>
<li>这些数据不会上传到我们的服务器，也不会提供给任何第三方。</li>
<li>你可以随时把这些数据导出为 CSV 文件备份，并在需要时从备份恢复。</li>
</ul>

<h2>发送给服务器的信息</h2>
<p>应用会从服务器获取公开的新股资料（代码、名称、招股日期、入场费、招股价、招股书链接、上市板块）。此外只发送两类匿名使用事件：</p>
<ul>
<li><code>app_active</code>：每天最多一次，表示应用当天被使用过；</li>
<li><code>user_data_saved</code>：每次保存一条记录时发送，只包含相关新股的股票代码，不包含任何股数或金额。</li>
</ul>
<p>每个事件包含一个随机生成的安装标识、事件时间、应用版本和平台名称。安装标识不与你的姓名、邮箱、券商账户或设备信息关联。</p>
<p>直接下载版本在检查更新时会发送平台、发行渠道、当前版本号和构建号。</p>

<h2>提醒</h2>
<p>暗盘提醒由本机的系统通知中心发出，不经过我们的服务器。</p>

<h2>联系我们</h2>
<p>如对本政策有任何疑问，请发送邮件至 privacy@orvel.example。</p>
<p>最后更新：2025 年 1 月</p>
</body>
</html>
)";
    return QByteArray(page);
}

} // namespace orvelservice
