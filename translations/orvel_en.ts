<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AppSettings</name>
    <message>
        <location filename="../src/settings/AppSettings.cpp" line="+60"/>
        <source>最多 %1 位小数</source>
        <translation>Up to %1 decimal places</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请输入数字</source>
        <translation>Enter a number</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>不能为负数</source>
        <translation>Cannot be negative</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>绿涨红跌</source>
        <translation>Green up, red down</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>红涨绿跌</source>
        <translation>Red up, green down</translation>
    </message>
</context>
<context>
    <name>CalendarExport</name>
    <message>
        <location filename="../src/repository/CalendarExport.cpp" line="+53"/>
        <source>代码：%1</source>
        <translation>Code: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>板块：%1</source>
        <translation>Board: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>每手金额：HK$%1</source>
        <translation>Minimum amount: HK$%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>招股价：HK$%1</source>
        <translation>Offer price: HK$%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>招股书：%1</source>
        <translation>Prospectus: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>申购数量：%1 股（融资90%）</source>
        <translation>Applied for: %1 shares (90% margin)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>申购数量：%1 股（现金申购）</source>
        <translation>Applied for: %1 shares (cash)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>中签数量：%1 股</source>
        <translation>Allotted: %1 shares</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>申购：%1</source>
        <translation>Subscription: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>暗盘：%1</source>
        <translation>Grey market: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>上市：%1</source>
        <translation>Listing: %1</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>当前列表中没有带日期的新股，请刷新后再试。</source>
        <translation>No IPO in the current list has dates. Refresh and try again.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>ORVEL 新股日历</source>
        <translation>ORVEL IPO calendar</translation>
    </message>
</context>
<context>
    <name>CalendarView</name>
    <message>
        <location filename="../src/ui/menu_bar/CalendarView.cpp" line="+44"/>
        <source>Today</source>
        <comment>calendar button: back to this month</comment>
        <translation>Today</translation>
    </message>
</context>
<context>
    <name>ClearRecordButton</name>
    <message>
        <location filename="../src/ui/main_window/ClearRecordButton.cpp" line="+13"/>
        <source>清除失败</source>
        <translation>Clear failed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>清除本地记录</source>
        <translation>Clear local record</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <location filename="../src/ui/menu_bar/ContentView.cpp" line="+34"/>
        <source>一</source>
        <comment>calendar heading: Monday, one letter</comment>
        <translation>M</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>二</source>
        <comment>calendar heading: Tuesday, one letter</comment>
        <translation>T</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三</source>
        <comment>calendar heading: Wednesday, one letter</comment>
        <translation>W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>四</source>
        <comment>calendar heading: Thursday, one letter</comment>
        <translation>T</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>五</source>
        <comment>calendar heading: Friday, one letter</comment>
        <translation>F</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Quit</source>
        <comment>panel button: ends ORVEL</comment>
        <translation>Quit</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Open App</source>
        <comment>panel button: opens the main window</comment>
        <translation>Open App</translation>
    </message>
    <message>
        <location line="+142"/>
        <source>今年收益 %1</source>
        <extracomment>the panel&apos;s header: %1 this year&apos;s result so far, signed, with &quot;HK$&quot;</extracomment>
        <translation>This year %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotificationCentre</name>
    <message>
        <location filename="../src/reminders/DesktopNotificationCentre.cpp" line="+168"/>
        <source>缺少标识符。</source>
        <translation>Identifier missing.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>没有标题也没有正文。</source>
        <translation>No title and no body.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>触发日期或时间无效。</source>
        <translation>Invalid trigger date or time.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>触发时间在其时区中不存在。</source>
        <translation>The trigger time does not exist in its time zone.</translation>
    </message>
</context>
<context>
    <name>FinancingText</name>
    <message>
        <location filename="../src/ui/main_window/FinancingText.cpp" line="+32"/>
        <source>融资 HK$%1  手续费 HK$%2</source>
        <extracomment>the loan of a 90 % margin application and its handling fee, in whole dollars</extracomment>
        <translation>Margin loan HK$%1  Fee HK$%2</translation>
    </message>
</context>
<context>
    <name>IPOAPIClient</name>
    <message>
        <location filename="../src/service/IPOAPIClient.cpp" line="+28"/>
        <source>请求超时，请检查网络后重试</source>
        <translation>Request timed out. Check your network and try again</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法连接到服务器，请稍后重试</source>
        <translation>Cannot connect to the server. Please try again later</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>找不到服务器，请检查网络连接</source>
        <translation>Server not found. Check your network connection</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>服务器意外断开了连接</source>
        <translation>The server closed the connection unexpectedly</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法建立安全连接（%1）</source>
        <translation>Cannot establish a secure connection (%1)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>服务器试图重定向到不安全的地址，已拒绝</source>
        <translation>Refused the server&apos;s redirect to an insecure address</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>服务器重定向次数过多</source>
        <translation>Too many redirects from the server</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>网络错误：%1</source>
        <translation>Network error: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>服务器返回的数据过大（超过 %1 MiB），已拒绝</source>
        <translation>Refused the server&apos;s reply: too large (over %1 MiB)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请求已取消</source>
        <translation>Request cancelled</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>API 请求失败 (%1)</source>
        <translation>API request failed (%1)</translation>
    </message>
</context>
<context>
    <name>IPOAPIClientError</name>
    <message>
        <location filename="../src/service/IPOAPIClientError.cpp" line="+7"/>
        <source>API 地址无效</source>
        <translation>Invalid API address</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>API 返回了无效响应</source>
        <translation>The API returned an invalid response</translation>
    </message>
</context>
<context>
    <name>IPORepository</name>
    <message>
        <location filename="../src/repository/IPORepository.cpp" line="+189"/>
        <source>API 数据已更新</source>
        <translation>API data updated</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>API 已连接，最近抓取失败</source>
        <translation>API connected; the latest fetch failed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最近抓取失败：%1</source>
        <translation>Latest fetch failed: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>API 数据已同步</source>
        <translation>API data in sync</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>API 数据已更新：%1 条变更</source>
        <translation>
            <numerusform>API data updated: %1 change</numerusform>
            <numerusform>API data updated: %1 changes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>IPOTag</name>
    <message numerus="yes">
        <location filename="../src/ui/menu_bar/IPOTag.cpp" line="+43"/>
        <source>申%n</source>
        <comment>lot badge: the number of lots applied for</comment>
        <translation>
            <numerusform>Sub %n</numerusform>
            <numerusform>Sub %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>中%n</source>
        <comment>lot badge: the number of lots allotted</comment>
        <translation>
            <numerusform>Allot %n</numerusform>
            <numerusform>Allot %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JsonObjectReader</name>
    <message>
        <location filename="../src/service/JsonObjectReader.cpp" line="+16"/>
        <source>数据格式错误：不是有效的 JSON（位置 %1：%2）</source>
        <translation>Data format error: not valid JSON (at %1: %2)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>数据格式错误：应答不是 JSON 对象</source>
        <translation>Data format error: the reply is not a JSON object</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>数据格式错误：%1 %2</source>
        <translation>Data format error in %1: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>缺少必填字段</source>
        <translation>required field missing</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>不能为 null</source>
        <translation>must not be null</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+11"/>
        <source>应为字符串</source>
        <translation>expected a string</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>应为整数</source>
        <translation>expected an integer</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>应为布尔值</source>
        <translation>expected a Boolean</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+9"/>
        <location filename="../src/service/JsonObjectReader.h" line="+76"/>
        <source>应为对象</source>
        <translation>expected an object</translation>
    </message>
    <message>
        <location filename="../src/service/JsonObjectReader.h" line="-9"/>
        <source>应为数组</source>
        <translation>expected an array</translation>
    </message>
</context>
<context>
    <name>MainTableColumns</name>
    <message>
        <location filename="../src/ui/main_window/MainTableColumns.cpp" line="+17"/>
        <source>股票代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>股票名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>一手资金(HKD)</source>
        <translation>Per lot (HKD)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购日期</source>
        <translation>Offer opens</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购数</source>
        <translation>Applied</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>中签数</source>
        <translation>Allotted</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>招股书</source>
        <translation>Prosp.</translation>
    </message>
</context>
<context>
    <name>MainTableList</name>
    <message>
        <location filename="../src/ui/main_window/MainTableList.cpp" line="+28"/>
        <source>新股列表</source>
        <translation>IPO list</translation>
    </message>
</context>
<context>
    <name>MainWindowKeys</name>
    <message>
        <location filename="../src/ui/main_window/MainWindowKeys.cpp" line="+50"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>搜索代码或名称</source>
        <translation>Search code or name</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>保存记录</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>MainWindowView</name>
    <message>
        <location filename="../src/ui/main_window/MainWindowView.cpp" line="+140"/>
        <source>时间范围</source>
        <translation>Time range</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>收益</source>
        <translation>Results</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>没有代码或名称包含“%1”的新股</source>
        <translation>No IPO with “%1” in its code or name</translation>
    </message>
</context>
<context>
    <name>MenuBarLabel</name>
    <message>
        <location filename="../src/app/MenuBarLabel.cpp" line="+11"/>
        <source>打开主窗口</source>
        <translation>Open main window</translation>
    </message>
</context>
<context>
    <name>MonthBarChart</name>
    <message>
        <location filename="../src/ui/main_window/MonthBarChart.cpp" line="+21"/>
        <source>每月收益</source>
        <translation>Monthly results</translation>
    </message>
</context>
<context>
    <name>NotificationCentreError</name>
    <message>
        <location filename="../src/reminders/NotificationCentreError.cpp" line="+6"/>
        <source>无法连接桌面会话总线（D-Bus），系统通知不可用。</source>
        <translation>Cannot connect to the desktop session bus (D-Bus); system notifications are unavailable.</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+5"/>
        <source>桌面通知服务调用失败。</source>
        <translation>The call to the desktop notification service failed.</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>桌面通知服务调用失败：%1</source>
        <translation>The call to the desktop notification service failed: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通知请求无效：%1</source>
        <translation>Invalid notification request: %1</translation>
    </message>
</context>
<context>
    <name>NotificationManager</name>
    <message>
        <location filename="../src/reminders/NotificationManager.cpp" line="+54"/>
        <source>请求通知权限失败：%1</source>
        <translation>Could not request notification permission: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>未授予通知权限，请前往系统设置开启%1。</source>
        <translation>Notification permission not granted. Allow notifications in the system settings to use %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>通知权限已关闭，请前往系统设置开启%1。</source>
        <translation>Notifications are turned off. Allow them in the system settings to use %1.</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>暗盘开盘通知</source>
        <translation>Grey market opening</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 股票暗盘已开启</source>
        <translation>Grey market trading in %1 has started</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>今日截止申购</source>
        <translation>Applications close today</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>、</source>
        <comment>between the names of IPOs in a notification</comment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1等 %n 只</source>
        <extracomment>the first few names of the IPOs closing today, then how many there are in all</extracomment>
        <translation>
            <numerusform>%1 (%n IPO in total)</numerusform>
            <numerusform>%1 and others (%n IPOs in total)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ORVELLink</name>
    <message>
        <location filename="../src/ui/menu_bar/ORVELLink.cpp" line="+27"/>
        <source>港交所</source>
        <extracomment>the link to the exchange&apos;s new-listing page</extracomment>
        <translation>HKEX</translation>
    </message>
</context>
<context>
    <name>PanelFigures</name>
    <message>
        <location filename="../src/ui/menu_bar/PanelFigures.cpp" line="+19"/>
        <source>、</source>
        <extracomment>between the IPO names of one footer line (&quot;A、B&quot;)</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <location line="+87"/>
        <source>今日申购：%1</source>
        <extracomment>the footer line: %1 the names of the IPOs whose subscription opens today</extracomment>
        <translation>Opens today: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>今日暗盘：%1</source>
        <extracomment>the footer line: %1 the names of the IPOs trading on the grey market today</extracomment>
        <translation>Grey market today: %1</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>(%1%占用)</source>
        <extracomment>beside the capital: %1 the whole percent of it tied up in subscriptions</extracomment>
        <translation>(%1% in use)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>本月申购费 HK$ %1</source>
        <extracomment>%1 the margin fees of the month shown, in whole Hong Kong dollars</extracomment>
        <translation>Margin fees HK$ %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>[无关注事件]</source>
        <translation>[No events today]</translation>
    </message>
</context>
<context>
    <name>QuantityField</name>
    <message numerus="yes">
        <location filename="../src/ui/main_window/QuantityField.cpp" line="+88"/>
        <source>%1 手</source>
        <comment>a count of board lots</comment>
        <translation>
            <numerusform>%1 lot</numerusform>
            <numerusform>%1 lots</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordDetailPanel</name>
    <message>
        <location filename="../src/ui/main_window/RecordDetailPanel.cpp" line="+87"/>
        <location line="+4"/>
        <source>申购方式</source>
        <translation>Application type</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>现金申购</source>
        <translation>Cash</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>融资90%</source>
        <translation>Margin 90%</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>申购数量</source>
        <translation>Shares applied for</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>中签数量</source>
        <translation>Shares allotted</translation>
    </message>
    <message>
        <location line="+133"/>
        <source>确定要清除 %1 的本地记录吗？</source>
        <translation>Clear the local record of %1?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+92"/>
        <source>最终定价</source>
        <translation>Final offer price</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出数量</source>
        <translation>Shares sold</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出均价</source>
        <translation>Avg. sell price</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出日期</source>
        <translation>Sell date</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>费用合计（可选）</source>
        <translation>Total fees (optional)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>按费率计算</source>
        <translation>From your fee rates</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>暗盘</source>
        <translation>Grey</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>首日</source>
        <translation>Day 1</translation>
    </message>
</context>
<context>
    <name>ReminderKind</name>
    <message>
        <location filename="../src/reminders/ReminderKind.cpp" line="+12"/>
        <source>暗盘提醒</source>
        <translation>Grey market reminder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>仅在你主动开启后请求通知权限，并在上市前一个工作日 16:15 提醒。</source>
        <translation>Asks for notification permission only once you turn it on; reminds you at 16:15 on the business day before listing.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>截止提醒</source>
        <translation>Closing-day reminder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>申购截止当天 09:00 提醒尚未申购的新股。</source>
        <translation>At 09:00 on the closing date, reminds you of IPOs you have not applied for.</translation>
    </message>
</context>
<context>
    <name>RemoteIPO</name>
    <message>
        <location filename="../src/service/RemoteIPO.cpp" line="+23"/>
        <source>未知的状态“%1”</source>
        <translation>unknown status “%1”</translation>
    </message>
</context>
<context>
    <name>ResultsView</name>
    <message>
        <location filename="../src/ui/main_window/ResultsView.cpp" line="+28"/>
        <source>收益</source>
        <translation>Results</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>这一年还没有申购记录</source>
        <translation>No applications recorded for this year</translation>
    </message>
</context>
<context>
    <name>SaleForm</name>
    <message>
        <location filename="../src/model/SaleForm.cpp" line="+30"/>
        <source>最多 %1 位小数</source>
        <translation>Up to %1 decimal places</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请输入数字，如 12.50</source>
        <translation>Enter a number, e.g. 12.50</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+38"/>
        <source>不能为负数</source>
        <translation>Cannot be negative</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>价格须大于 0</source>
        <translation>Price must be above 0</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>请输入股数（整数）</source>
        <translation>Enter a number of shares (whole number)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>卖出数量不能多于中签数量（%1 股）</source>
        <translation>Cannot sell more than the shares allotted (%1)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>请输入卖出均价</source>
        <translation>Enter the average sell price</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>请输入日期，如 2026-03-05</source>
        <translation>Enter a date, e.g. 2026-03-05</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出日期不能早于申购截止日（%1）</source>
        <translation>Sell date cannot be before the closing date (%1)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>请输入卖出日期</source>
        <translation>Enter the sell date</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>收益 HK$%1（%2）· 费用 HK$%3</source>
        <extracomment>the result of one IPO: profit or loss, return in per cent, all charges</extracomment>
        <translation>Result HK$%1 (%2) · Fees HK$%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>收益 HK$%1 · 费用 HK$%2</source>
        <translation>Result HK$%1 · Fees HK$%2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>持有 %1 股</source>
        <translation>%1 shares held</translation>
    </message>
</context>
<context>
    <name>SaveRecordButton</name>
    <message>
        <location filename="../src/ui/main_window/SaveRecordButton.cpp" line="+23"/>
        <source>保存记录</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已保存</source>
        <translation>Saved</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>保存失败</source>
        <translation>Save failed</translation>
    </message>
</context>
<context>
    <name>SettingsBackup</name>
    <message>
        <location filename="../src/ui/settings/SettingsBackup.cpp" line="+23"/>
        <source>无法读取文件 %1：%2</source>
        <extracomment>%1 the file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>Cannot read file %1: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>无法写入文件 %1：%2</source>
        <extracomment>%1 the file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>Cannot write file %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>未选择文件</source>
        <translation>No file selected</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>文件过大，不是 CSV 备份文件</source>
        <translation>File too large to be a CSV backup</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <location line="+2"/>
        <source>%n 条</source>
        <extracomment>a number of backup entries, e.g. &quot;3 entries&quot;</extracomment>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>已导入 %1，跳过 %2。</source>
        <extracomment>after a restore: %1 the entries added, %2 the entries left out (each with its unit)</extracomment>
        <translation>Imported %1, skipped %2.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导出成功</source>
        <translation>Export complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用户申购与中签数据已导出为 CSV 文件。</source>
        <translation>Your application and allotment data have been exported as a CSV file.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导入失败</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导入完成</source>
        <translation>Import complete</translation>
    </message>
</context>
<context>
    <name>SettingsBackupCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsBackupCard.cpp" line="+32"/>
        <source>数据备份与恢复</source>
        <translation>Backup and restore</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导出当前本地的申购与中签记录，或从同格式 CSV 文件恢复缺失记录。</source>
        <translation>Export your local application and allotment records, or restore missing records from a CSV file in the same format.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>导出日历</source>
        <translation>Export calendar</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at</source>
        <extracomment>the column names are the file&apos;s own and stay as they are</extracomment>
        <translation>CSV format: code,sub_quantity,win_quantity,sub_method,updated_at</translation>
    </message>
</context>
<context>
    <name>SettingsCalendarExport</name>
    <message>
        <location filename="../src/ui/settings/SettingsCalendarExport.cpp" line="+18"/>
        <location line="+7"/>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导出成功</source>
        <translation>Export complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>新股日历已导出为 .ics 文件，可在常用的日历应用中导入。</source>
        <translation>The IPO calendar has been exported as an .ics file, which you can import into your usual calendar app.</translation>
    </message>
</context>
<context>
    <name>SettingsCapitalCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsCapitalCard.cpp" line="+20"/>
        <source>用户打新资金</source>
        <translation>IPO capital</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+9"/>
        <source>港元资金量</source>
        <translation>Capital (HK$)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>用于计算申购资金利用率</source>
        <translation>Used to work out how much of it is tied up in applications</translation>
    </message>
</context>
<context>
    <name>SettingsFeesCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsFeesCard.cpp" line="+26"/>
        <source>佣金费率</source>
        <translation>Commission rate</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>最低佣金</source>
        <translation>Minimum commission</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>平台费（每笔卖出）</source>
        <translation>Platform fee (per sale)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>现金申购手续费</source>
        <translation>Cash application handling fee</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>融资年利率</source>
        <extracomment>the yearly interest rate of the investor&apos;s margin loan</extracomment>
        <translation>Margin interest rate (p.a.)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>费用</source>
        <translation>Fees</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>券商收费按你的账户填写；印花税、交易征费、交易费和交收费按卖出当日的法定费率计算。</source>
        <translation>Enter your broker&apos;s charges as on your account; stamp duty, transaction levy, trading fee and settlement fee use the statutory rates of the sale date.</translation>
    </message>
    <message>
        <location line="+41"/>
        <location line="+5"/>
        <source>涨跌颜色</source>
        <translation>Gain/loss colours</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>收益为正与为负时的颜色</source>
        <translation>Colours of a positive and a negative result</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1：%2</source>
        <extracomment>a refused charge: %1 the field&apos;s name, %2 why the text is no usable amount</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SettingsFileDialogs</name>
    <message>
        <location filename="../src/ui/settings/SettingsFileDialogs.cpp" line="+40"/>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>导出日历</source>
        <translation>Export calendar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>iCalendar (*.ics)</source>
        <extracomment>the save dialog&apos;s file type; the pattern in brackets stays as it is</extracomment>
        <translation>iCalendar (*.ics)</translation>
    </message>
</context>
<context>
    <name>SettingsLanguageCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsLanguageCard.cpp" line="+31"/>
        <location line="+9"/>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>跟随系统</source>
        <extracomment>the first of four equal segments of a narrow control: keep it short</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>重新启动 ORVEL 后生效</source>
        <extracomment>under the language choice: texts already shown are not written again</extracomment>
        <translation>Takes effect when ORVEL is restarted</translation>
    </message>
</context>
<context>
    <name>SettingsMessageBox</name>
    <message>
        <location filename="../src/ui/settings/SettingsMessageBox.cpp" line="+23"/>
        <source>知道了</source>
        <extracomment>the only button of a settings message: closes it</extracomment>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SettingsReminders</name>
    <message>
        <location filename="../src/ui/settings/SettingsReminders.cpp" line="+12"/>
        <source>提醒设置失败</source>
        <translation>Could not change reminders</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>提醒设置已更新</source>
        <translation>Reminders updated</translation>
    </message>
</context>
<context>
    <name>SettingsRemindersCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsRemindersCard.cpp" line="+17"/>
        <source>提醒设置</source>
        <translation>Reminders</translation>
    </message>
</context>
<context>
    <name>SettingsTaskbarCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsTaskbarCard.cpp" line="+10"/>
        <source>界面设置</source>
        <translation>Interface</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+9"/>
        <source>隐藏任务栏图标</source>
        <translation>Hide taskbar icon</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>隐藏后 ORVEL 仅在系统托盘显示</source>
        <translation>ORVEL then shows only in the system tray</translation>
    </message>
</context>
<context>
    <name>SettingsUpdateCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsUpdateCard.cpp" line="+19"/>
        <source>应用更新</source>
        <translation>App updates</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>官网下载的版本可在这里手动检查更新；从发行版软件源安装的版本由系统的软件更新负责，不会显示这个入口。</source>
        <translation>Copies downloaded from the website can check for updates here; copies installed from your distribution&apos;s repositories are updated by the system and do not show this option.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+46"/>
        <source>检查更新</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <location line="-43"/>
        <source>隐私政策</source>
        <translation>Privacy policy</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>检查中...</source>
        <translation>Checking...</translation>
    </message>
</context>
<context>
    <name>SettingsUpdateCheck</name>
    <message>
        <location filename="../src/ui/settings/SettingsUpdateCheck.cpp" line="+14"/>
        <source>正在检查新版本...</source>
        <translation>Checking for a new version...</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>当前分发渠道不提供站外更新。</source>
        <translation>This distribution channel does not offer updates from the website.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>检查更新失败：%1</source>
        <extracomment>%1 why the check failed</extracomment>
        <translation>Update check failed: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>已是最新版本。</source>
        <translation>You have the latest version.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>发现新版本，但下载地址无效，请稍后重试。</source>
        <translation>A new version is available, but its download address is invalid. Please try again later.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>发现新版本 %1 (%2)，但无法打开下载页面，请在浏览器中访问 %3。</source>
        <extracomment>%1 the version, %2 its build number, %3 the download page&apos;s address</extracomment>
        <translation>Version %1 (%2) is available, but the download page could not be opened. Please visit %3 in your browser.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>发现新版本 %1 (%2)，已打开下载页面。</source>
        <extracomment>%1 the version, %2 its build number</extracomment>
        <translation>Version %1 (%2) is available; the download page has been opened.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>无法打开隐私政策</source>
        <translation>Cannot open the privacy policy</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>当前应用未配置隐私政策链接。</source>
        <translation>No privacy policy link is set for this app.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>无法启动浏览器，请手动访问 %1。</source>
        <extracomment>%1 the privacy page&apos;s address</extracomment>
        <translation>Cannot start a browser. Please visit %1 yourself.</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <location filename="../src/ui/settings/SettingsView.cpp" line="+95"/>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Version %1 (%2)</source>
        <extracomment>the footer: %1 the version, %2 the build number</extracomment>
        <translation>Version %1 (%2)</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <location filename="../src/app/SingleInstance.cpp" line="+53"/>
        <source>另一个 ORVEL 正在运行（锁文件 %1），但没有在 %2 上回应；请结束它后再启动。</source>
        <translation>Another ORVEL is running (lock file %1) but does not answer on %2; end it, then start ORVEL again.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>无法在 %1 上接收其他 ORVEL 的请求：%2</source>
        <translation>Cannot receive requests from other ORVEL instances on %1: %2</translation>
    </message>
</context>
<context>
    <name>TableCellText</name>
    <message>
        <location filename="../src/ui/main_window/TableCellText.cpp" line="+30"/>
        <source>待申购</source>
        <translation>Upcoming</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购中</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已上市</source>
        <translation>Listed</translation>
    </message>
</context>
<context>
    <name>TableHeaderBar</name>
    <message>
        <location filename="../src/ui/main_window/TableHeaderBar.cpp" line="+38"/>
        <source>列标题</source>
        <translation>Column headers</translation>
    </message>
</context>
<context>
    <name>TableRowMenu</name>
    <message>
        <location filename="../src/ui/main_window/TableRowMenu.cpp" line="+15"/>
        <source>复制代码</source>
        <translation>Copy code</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>复制名称</source>
        <translation>Copy name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打开招股书</source>
        <translation>Open prospectus</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>清除本地记录…</source>
        <translation>Clear local record…</translation>
    </message>
</context>
<context>
    <name>TableSearchField</name>
    <message>
        <location filename="../src/ui/main_window/TableSearchField.cpp" line="+11"/>
        <location line="+1"/>
        <source>搜索代码或名称</source>
        <translation>Search code or name</translation>
    </message>
</context>
<context>
    <name>TimeFilter</name>
    <message>
        <location filename="../src/ui/main_window/TimeFilter.cpp" line="+8"/>
        <source>本周</source>
        <translation>Week</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>本月</source>
        <translation>Month</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>近30天</source>
        <translation>30 days</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>全部</source>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>ToolbarRefreshButton</name>
    <message>
        <location filename="../src/ui/main_window/ToolbarRefreshButton.cpp" line="+4"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
</context>
<context>
    <name>ToolbarSettingsButton</name>
    <message>
        <location filename="../src/ui/main_window/ToolbarSettingsButton.cpp" line="+4"/>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>UserIPOBackupCSVError</name>
    <message>
        <location filename="../src/store/UserIPOBackupCSVError.cpp" line="+7"/>
        <location line="+4"/>
        <source>CSV 表头格式无效</source>
        <translation>Invalid CSV header</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>无法读取 CSV 文件内容</source>
        <translation>Cannot read the CSV file&apos;s content</translation>
    </message>
</context>
<context>
    <name>UserIPOStore</name>
    <message>
        <location filename="../src/store/UserIPOStore.cpp" line="+191"/>
        <source>无法打开 ORVEL 的数据文件 %1，你的记录保存在这个文件里。请检查这个文件和它所在的文件夹，然后重新启动 ORVEL。
原因：%2</source>
        <translation>Cannot open ORVEL&apos;s data file %1, which holds your records. Check the file and its folder, then restart ORVEL.
Reason: %2</translation>
    </message>
</context>
<context>
    <name>YearResultsText</name>
    <message>
        <location filename="../src/ui/main_window/YearResultsText.cpp" line="+18"/>
        <source>（%1）</source>
        <extracomment>a rate in brackets after a count, e.g. &quot;（45.0%）&quot;</extracomment>
        <translation> (%1)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>申购 %1 · 中签 %2%3</source>
        <translation>Applied %1 · Allotted %2%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>卖出 %1 · 盈利 %2%3</source>
        <translation>Sold %1 · In profit %2%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>收益 %1 · 费用 %2</source>
        <translation>Result %1 · Fees %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>最佳 %1 %2 · 最差 %3 %4</source>
        <extracomment>the best and the worst IPO of the year: name and result of each</extracomment>
        <translation>Best %1 %2 · Worst %3 %4</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>  持有 %1 股</source>
        <translation>  %1 shares held</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+53"/>
        <source>ORVEL：港股新股申购一览</source>
        <translation>ORVEL: Hong Kong IPO subscriptions at a glance</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>从服务获取新股列表，按制表符分隔的行输出。</source>
        <translation>Fetch the IPO list from the service and print it as tab-separated lines.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>与 --list 或 --results 同用：改为输出 JSON（分别为数组和对象）。</source>
        <translation>With --list or --results: print JSON instead (an array or an object respectively).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>按制表符分隔的行输出 YEAR 年的统计和新股（默认为香港时间的今年）。</source>
        <extracomment>YEAR is the name of the positional argument and stays as it is</extracomment>
        <translation>Print the figures and IPOs of YEAR as tab-separated lines (default: the current year in Hong Kong time).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>获取新股列表，将其中的日期输出为 iCalendar 文件。</source>
        <translation>Fetch the IPO list and print its dates as an iCalendar file.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>输出从进程启动到首个窗口绘制完成的毫秒数，然后退出。</source>
        <translation>Print the milliseconds from process start until the first window is drawn, then exit.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>将每个窗口的浅色和深色截图保存到 &lt;dir&gt;，然后退出。</source>
        <extracomment>&lt;dir&gt; is the option&apos;s value name and stays as it is</extracomment>
        <translation>Save light and dark screenshots of every window to &lt;dir&gt;, then exit.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>与 --results 同用。</source>
        <translation>Year for --results.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--json 须与 --list 或 --results 同用</source>
        <translation>--json needs --list or --results</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--ics、--list 和 --results 输出的内容各不相同，只能指定其中一个</source>
        <translation>--ics, --list and --results print different things; give only one of them</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>只有 --results 接受参数（一个年份）</source>
        <translation>Only --results takes an argument (a year)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>不是有效的年份：%1</source>
        <extracomment>%1 the argument given in place of a year</extracomment>
        <translation>Not a valid year: %1</translation>
    </message>
</context>
</TS>
