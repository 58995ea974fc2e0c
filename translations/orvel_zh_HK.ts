<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_HK" sourcelanguage="zh_CN">
<context>
    <name>AppSettings</name>
    <message>
        <location filename="../src/settings/AppSettings.cpp" line="+60"/>
        <source>最多 %1 位小数</source>
        <translation>最多 %1 位小數</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请输入数字</source>
        <translation>請輸入數字</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>不能为负数</source>
        <translation>不能為負數</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>绿涨红跌</source>
        <translation>綠升紅跌</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>红涨绿跌</source>
        <translation>紅升綠跌</translation>
    </message>
</context>
<context>
    <name>CalendarExport</name>
    <message>
        <location filename="../src/repository/CalendarExport.cpp" line="+53"/>
        <source>代码：%1</source>
        <translation>代號：%1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>板块：%1</source>
        <translation>板塊：%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>每手金额：HK$%1</source>
        <translation>每手金額：HK$%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>招股价：HK$%1</source>
        <translation>招股價：HK$%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>招股书：%1</source>
        <translation>招股章程：%1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>申购数量：%1 股（融资90%）</source>
        <translation>認購數量：%1 股（孖展 90%）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>申购数量：%1 股（现金申购）</source>
        <translation>認購數量：%1 股（現金認購）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>中签数量：%1 股</source>
        <translation>中籤數量：%1 股</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>申购：%1</source>
        <translation>認購：%1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>暗盘：%1</source>
        <translation>暗盤：%1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>上市：%1</source>
        <translation>上市：%1</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>当前列表中没有带日期的新股，请刷新后再试。</source>
        <translation>目前列表中沒有附日期的新股，請刷新後再試。</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>ORVEL 新股日历</source>
        <translation>ORVEL 新股日曆</translation>
    </message>
</context>
<context>
    <name>CalendarView</name>
    <message>
        <location filename="../src/ui/menu_bar/CalendarView.cpp" line="+44"/>
        <source>Today</source>
        <comment>calendar button: back to this month</comment>
        <translation>今日</translation>
    </message>
</context>
<context>
    <name>ClearRecordButton</name>
    <message>
        <location filename="../src/ui/main_window/ClearRecordButton.cpp" line="+13"/>
        <source>清除失败</source>
        <translation>清除失敗</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>清除本地记录</source>
        <translation>清除本機記錄</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <location filename="../src/ui/menu_bar/ContentView.cpp" line="+34"/>
        <source>一</source>
        <comment>calendar heading: Monday, one letter</comment>
        <translation>一</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>二</source>
        <comment>calendar heading: Tuesday, one letter</comment>
        <translation>二</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三</source>
        <comment>calendar heading: Wednesday, one letter</comment>
        <translation>三</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>四</source>
        <comment>calendar heading: Thursday, one letter</comment>
        <translation>四</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>五</source>
        <comment>calendar heading: Friday, one letter</comment>
        <translation>五</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Quit</source>
        <comment>panel button: ends ORVEL</comment>
        <translation>結束</translation>
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
        <translation>今年收益 %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotificationCentre</name>
    <message>
        <location filename="../src/reminders/DesktopNotificationCentre.cpp" line="+168"/>
        <source>缺少标识符。</source>
        <translation>缺少識別碼。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>没有标题也没有正文。</source>
        <translation>沒有標題也沒有內文。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>触发日期或时间无效。</source>
        <translation>觸發日期或時間無效。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>触发时间在其时区中不存在。</source>
        <translation>觸發時間在其時區中不存在。</translation>
    </message>
</context>
<context>
    <name>FinancingText</name>
    <message>
        <location filename="../src/ui/main_window/FinancingText.cpp" line="+32"/>
        <source>融资 HK$%1  手续费 HK$%2</source>
        <extracomment>the loan of a 90 % margin application and its handling fee, in whole dollars</extracomment>
        <translation>孖展 HK$%1  手續費 HK$%2</translation>
    </message>
</context>
<context>
    <name>IPOAPIClient</name>
    <message>
        <location filename="../src/service/IPOAPIClient.cpp" line="+28"/>
        <source>请求超时，请检查网络后重试</source>
        <translation>要求逾時，請檢查網絡後再試</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法连接到服务器，请稍后重试</source>
        <translation>無法連接伺服器，請稍後再試</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>找不到服务器，请检查网络连接</source>
        <translation>找不到伺服器，請檢查網絡連接</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>服务器意外断开了连接</source>
        <translation>伺服器意外中斷了連接</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法建立安全连接（%1）</source>
        <translation>無法建立安全連接（%1）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>服务器试图重定向到不安全的地址，已拒绝</source>
        <translation>伺服器試圖重新導向至不安全的位址，已拒絕</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>服务器重定向次数过多</source>
        <translation>伺服器重新導向次數過多</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>网络错误：%1</source>
        <translation>網絡錯誤：%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>服务器返回的数据过大（超过 %1 MiB），已拒绝</source>
        <translation>伺服器傳回的資料過大（超過 %1 MiB），已拒絕</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请求已取消</source>
        <translation>要求已取消</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>API 请求失败 (%1)</source>
        <translation>API 要求失敗 (%1)</translation>
    </message>
</context>
<context>
    <name>IPOAPIClientError</name>
    <message>
        <location filename="../src/service/IPOAPIClientError.cpp" line="+7"/>
        <source>API 地址无效</source>
        <translation>API 位址無效</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>API 返回了无效响应</source>
        <translation>API 傳回了無效的回應</translation>
    </message>
</context>
<context>
    <name>IPORepository</name>
    <message>
        <location filename="../src/repository/IPORepository.cpp" line="+189"/>
        <source>API 数据已更新</source>
        <translation>API 資料已更新</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>API 已连接，最近抓取失败</source>
        <translation>API 已連接，最近擷取失敗</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最近抓取失败：%1</source>
        <translation>最近擷取失敗：%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>API 数据已同步</source>
        <translation>API 資料已同步</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>API 数据已更新：%1 条变更</source>
        <translation>
            <numerusform>API 資料已更新：%1 項變更</numerusform>
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
            <numerusform>申%n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>中%n</source>
        <comment>lot badge: the number of lots allotted</comment>
        <translation>
            <numerusform>中%n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JsonObjectReader</name>
    <message>
        <location filename="../src/service/JsonObjectReader.cpp" line="+16"/>
        <source>数据格式错误：不是有效的 JSON（位置 %1：%2）</source>
        <translation>資料格式錯誤：不是有效的 JSON（位置 %1：%2）</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>数据格式错误：应答不是 JSON 对象</source>
        <translation>資料格式錯誤：回應不是 JSON 物件</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>数据格式错误：%1 %2</source>
        <translation>資料格式錯誤：%1 %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>缺少必填字段</source>
        <translation>缺少必填欄位</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>不能为 null</source>
        <translation>不能為 null</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+11"/>
        <source>应为字符串</source>
        <translation>應為字串</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>应为整数</source>
        <translation>應為整數</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>应为布尔值</source>
        <translation>應為布爾值</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+9"/>
        <location filename="../src/service/JsonObjectReader.h" line="+76"/>
        <source>应为对象</source>
        <translation>應為物件</translation>
    </message>
    <message>
        <location filename="../src/service/JsonObjectReader.h" line="-9"/>
        <source>应为数组</source>
        <translation>應為陣列</translation>
    </message>
</context>
<context>
    <name>MainTableColumns</name>
    <message>
        <location filename="../src/ui/main_window/MainTableColumns.cpp" line="+17"/>
        <source>股票代码</source>
        <translation>股票代號</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>股票名称</source>
        <translation>股票名稱</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>状态</source>
        <translation>狀態</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>一手资金(HKD)</source>
        <translation>入場費(HKD)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购日期</source>
        <translation>認購日期</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购数</source>
        <translation>認購數</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>中签数</source>
        <translation>中籤數</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>招股书</source>
        <translation>招股章程</translation>
    </message>
</context>
<context>
    <name>MainTableList</name>
    <message>
        <location filename="../src/ui/main_window/MainTableList.cpp" line="+28"/>
        <source>新股列表</source>
        <translation>新股列表</translation>
    </message>
</context>
<context>
    <name>MainWindowKeys</name>
    <message>
        <location filename="../src/ui/main_window/MainWindowKeys.cpp" line="+50"/>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>搜索代码或名称</source>
        <translation>搜尋代號或名稱</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>保存记录</source>
        <translation>儲存記錄</translation>
    </message>
</context>
<context>
    <name>MainWindowView</name>
    <message>
        <location filename="../src/ui/main_window/MainWindowView.cpp" line="+140"/>
        <source>时间范围</source>
        <translation>時間範圍</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>收益</source>
        <translation>收益</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>没有代码或名称包含“%1”的新股</source>
        <translation>沒有代號或名稱包含「%1」的新股</translation>
    </message>
</context>
<context>
    <name>MenuBarLabel</name>
    <message>
        <location filename="../src/app/MenuBarLabel.cpp" line="+11"/>
        <source>打开主窗口</source>
        <translation>開啟主視窗</translation>
    </message>
</context>
<context>
    <name>MonthBarChart</name>
    <message>
        <location filename="../src/ui/main_window/MonthBarChart.cpp" line="+21"/>
        <source>每月收益</source>
        <translation>每月收益</translation>
    </message>
</context>
<context>
    <name>NotificationCentreError</name>
    <message>
        <location filename="../src/reminders/NotificationCentreError.cpp" line="+6"/>
        <source>无法连接桌面会话总线（D-Bus），系统通知不可用。</source>
        <translation>無法連接桌面工作階段匯流排（D-Bus），系統通知無法使用。</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+5"/>
        <source>桌面通知服务调用失败。</source>
        <translation>呼叫桌面通知服務失敗。</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>桌面通知服务调用失败：%1</source>
        <translation>呼叫桌面通知服務失敗：%1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通知请求无效：%1</source>
        <translation>通知要求無效：%1</translation>
    </message>
</context>
<context>
    <name>NotificationManager</name>
    <message>
        <location filename="../src/reminders/NotificationManager.cpp" line="+54"/>
        <source>请求通知权限失败：%1</source>
        <translation>要求通知權限失敗：%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>未授予通知权限，请前往系统设置开启%1。</source>
        <translation>未獲授予通知權限，請前往系統設定開啟%1。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>通知权限已关闭，请前往系统设置开启%1。</source>
        <translation>通知權限已關閉，請前往系統設定開啟%1。</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>暗盘开盘通知</source>
        <translation>暗盤開市通知</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 股票暗盘已开启</source>
        <translation>%1 暗盤已開市</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>今日截止申购</source>
        <translation>今日截止認購</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>、</source>
        <comment>between the names of IPOs in a notification</comment>
        <translation>、</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%1等 %n 只</source>
        <extracomment>the first few names of the IPOs closing today, then how many there are in all</extracomment>
        <translation>
            <numerusform>%1等 %n 隻</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ORVELLink</name>
    <message>
        <location filename="../src/ui/menu_bar/ORVELLink.cpp" line="+27"/>
        <source>港交所</source>
        <extracomment>the link to the exchange&apos;s new-listing page</extracomment>
        <translation>港交所</translation>
    </message>
</context>
<context>
    <name>PanelFigures</name>
    <message>
        <location filename="../src/ui/menu_bar/PanelFigures.cpp" line="+19"/>
        <source>、</source>
        <extracomment>between the IPO names of one footer line (&quot;A、B&quot;)</extracomment>
        <translation>、</translation>
    </message>
    <message>
        <location line="+87"/>
        <source>今日申购：%1</source>
        <extracomment>the footer line: %1 the names of the IPOs whose subscription opens today</extracomment>
        <translation>今日認購：%1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>今日暗盘：%1</source>
        <extracomment>the footer line: %1 the names of the IPOs trading on the grey market today</extracomment>
        <translation>今日暗盤：%1</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>(%1%占用)</source>
        <extracomment>beside the capital: %1 the whole percent of it tied up in subscriptions</extracomment>
        <translation>(佔用 %1%)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>本月申购费 HK$ %1</source>
        <extracomment>%1 the margin fees of the month shown, in whole Hong Kong dollars</extracomment>
        <translation>當月孖展費用 HK$ %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>[无关注事件]</source>
        <translation>[沒有關注事項]</translation>
    </message>
</context>
<context>
    <name>QuantityField</name>
    <message numerus="yes">
        <location filename="../src/ui/main_window/QuantityField.cpp" line="+88"/>
        <source>%1 手</source>
        <comment>a count of board lots</comment>
        <translation>
            <numerusform>%1 手</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordDetailPanel</name>
    <message>
        <location filename="../src/ui/main_window/RecordDetailPanel.cpp" line="+87"/>
        <location line="+4"/>
        <source>申购方式</source>
        <translation>認購方式</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>现金申购</source>
        <translation>現金認購</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>融资90%</source>
        <translation>孖展 90%</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>申购数量</source>
        <translation>認購數量</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>中签数量</source>
        <translation>中籤數量</translation>
    </message>
    <message>
        <location line="+133"/>
        <source>确定要清除 %1 的本地记录吗？</source>
        <translation>確定要清除 %1 的本機記錄嗎？</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+92"/>
        <source>最终定价</source>
        <translation>最終定價</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出数量</source>
        <translation>沽出數量</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出均价</source>
        <translation>平均沽出價</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出日期</source>
        <translation>沽出日期</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>费用合计（可选）</source>
        <translation>費用總額（選填）</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>按费率计算</source>
        <translation>按費率計算</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>暗盘</source>
        <translation>暗盤</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>首日</source>
        <translation>首日</translation>
    </message>
</context>
<context>
    <name>ReminderKind</name>
    <message>
        <location filename="../src/reminders/ReminderKind.cpp" line="+12"/>
        <source>暗盘提醒</source>
        <translation>暗盤提醒</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>仅在你主动开启后请求通知权限，并在上市前一个工作日 16:15 提醒。</source>
        <translation>只在你主動開啟後才要求通知權限，並於上市前一個工作日 16:15 提醒。</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>截止提醒</source>
        <translation>截止提醒</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>申购截止当天 09:00 提醒尚未申购的新股。</source>
        <translation>於截止認購當日 09:00 提醒尚未認購的新股。</translation>
    </message>
</context>
<context>
    <name>RemoteIPO</name>
    <message>
        <location filename="../src/service/RemoteIPO.cpp" line="+23"/>
        <source>未知的状态“%1”</source>
        <translation>未知的狀態「%1」</translation>
    </message>
</context>
<context>
    <name>ResultsView</name>
    <message>
        <location filename="../src/ui/main_window/ResultsView.cpp" line="+28"/>
        <source>收益</source>
        <translation>收益</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>这一年还没有申购记录</source>
        <translation>這一年仍未有認購記錄</translation>
    </message>
</context>
<context>
    <name>SaleForm</name>
    <message>
        <location filename="../src/model/SaleForm.cpp" line="+30"/>
        <source>最多 %1 位小数</source>
        <translation>最多 %1 位小數</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请输入数字，如 12.50</source>
        <translation>請輸入數字，例如 12.50</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+38"/>
        <source>不能为负数</source>
        <translation>不能為負數</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>价格须大于 0</source>
        <translation>價格須大於 0</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>请输入股数（整数）</source>
        <translation>請輸入股數（整數）</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>卖出数量不能多于中签数量（%1 股）</source>
        <translation>沽出數量不能多於中籤數量（%1 股）</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>请输入卖出均价</source>
        <translation>請輸入平均沽出價</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>请输入日期，如 2026-03-05</source>
        <translation>請輸入日期，例如 2026-03-05</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>卖出日期不能早于申购截止日（%1）</source>
        <translation>沽出日期不能早於截止認購日（%1）</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>请输入卖出日期</source>
        <translation>請輸入沽出日期</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>收益 HK$%1（%2）· 费用 HK$%3</source>
        <extracomment>the result of one IPO: profit or loss, return in per cent, all charges</extracomment>
        <translation>收益 HK$%1（%2）· 費用 HK$%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>收益 HK$%1 · 费用 HK$%2</source>
        <translation>收益 HK$%1 · 費用 HK$%2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>持有 %1 股</source>
        <translation>持有 %1 股</translation>
    </message>
</context>
<context>
    <name>SaveRecordButton</name>
    <message>
        <location filename="../src/ui/main_window/SaveRecordButton.cpp" line="+23"/>
        <source>保存记录</source>
        <translation>儲存記錄</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已保存</source>
        <translation>已儲存</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>保存失败</source>
        <translation>儲存失敗</translation>
    </message>
</context>
<context>
    <name>SettingsBackup</name>
    <message>
        <location filename="../src/ui/settings/SettingsBackup.cpp" line="+23"/>
        <source>无法读取文件 %1：%2</source>
        <extracomment>%1 the file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>無法讀取檔案 %1：%2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>无法写入文件 %1：%2</source>
        <extracomment>%1 the file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>無法寫入檔案 %1：%2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>未选择文件</source>
        <translation>未選擇檔案</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>文件过大，不是 CSV 备份文件</source>
        <translation>檔案過大，不是 CSV 備份檔案</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <location line="+2"/>
        <source>%n 条</source>
        <extracomment>a number of backup entries, e.g. &quot;3 entries&quot;</extracomment>
        <translation>
            <numerusform>%n 條</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>已导入 %1，跳过 %2。</source>
        <extracomment>after a restore: %1 the entries added, %2 the entries left out (each with its unit)</extracomment>
        <translation>已匯入 %1，略過 %2。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>导出失败</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导出成功</source>
        <translation>匯出成功</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用户申购与中签数据已导出为 CSV 文件。</source>
        <translation>用戶的認購及中籤資料已匯出為 CSV 檔案。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导入失败</source>
        <translation>匯入失敗</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导入完成</source>
        <translation>匯入完成</translation>
    </message>
</context>
<context>
    <name>SettingsBackupCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsBackupCard.cpp" line="+32"/>
        <source>数据备份与恢复</source>
        <translation>資料備份與還原</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导出当前本地的申购与中签记录，或从同格式 CSV 文件恢复缺失记录。</source>
        <translation>匯出目前本機的認購及中籤記錄，或從相同格式的 CSV 檔案還原缺少的記錄。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导出 CSV</source>
        <translation>匯出 CSV</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导入 CSV</source>
        <translation>匯入 CSV</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>导出日历</source>
        <translation>匯出日曆</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at</source>
        <extracomment>the column names are the file&apos;s own and stay as they are</extracomment>
        <translation>CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at</translation>
    </message>
</context>
<context>
    <name>SettingsCalendarExport</name>
    <message>
        <location filename="../src/ui/settings/SettingsCalendarExport.cpp" line="+18"/>
        <location line="+7"/>
        <source>导出失败</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导出成功</source>
        <translation>匯出成功</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>新股日历已导出为 .ics 文件，可在常用的日历应用中导入。</source>
        <translation>新股日曆已匯出為 .ics 檔案，可匯入常用的日曆應用程式。</translation>
    </message>
</context>
<context>
    <name>SettingsCapitalCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsCapitalCard.cpp" line="+20"/>
        <source>用户打新资金</source>
        <translation>用戶抽新股資金</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+9"/>
        <source>港元资金量</source>
        <translation>港元資金額</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>用于计算申购资金利用率</source>
        <translation>用於計算認購資金使用率</translation>
    </message>
</context>
<context>
    <name>SettingsFeesCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsFeesCard.cpp" line="+26"/>
        <source>佣金费率</source>
        <translation>佣金費率</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>最低佣金</source>
        <translation>最低佣金</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>平台费（每笔卖出）</source>
        <translation>平台費（每筆沽出）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>现金申购手续费</source>
        <translation>現金認購手續費</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>融资年利率</source>
        <extracomment>the yearly interest rate of the investor&apos;s margin loan</extracomment>
        <translation>孖展年利率</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>费用</source>
        <translation>費用</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>券商收费按你的账户填写；印花税、交易征费、交易费和交收费按卖出当日的法定费率计算。</source>
        <translation>券商收費按你的戶口填寫；印花稅、交易徵費、交易費及交收費按沽出當日的法定費率計算。</translation>
    </message>
    <message>
        <location line="+41"/>
        <location line="+5"/>
        <source>涨跌颜色</source>
        <translation>升跌顏色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>收益为正与为负时的颜色</source>
        <translation>收益為正及為負時的顏色</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1：%2</source>
        <extracomment>a refused charge: %1 the field&apos;s name, %2 why the text is no usable amount</extracomment>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>SettingsFileDialogs</name>
    <message>
        <location filename="../src/ui/settings/SettingsFileDialogs.cpp" line="+40"/>
        <source>导出 CSV</source>
        <translation>匯出 CSV</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>导入 CSV</source>
        <translation>匯入 CSV</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>导出日历</source>
        <translation>匯出日曆</translation>
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
        <translation>語言</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>跟随系统</source>
        <extracomment>the first of four equal segments of a narrow control: keep it short</extracomment>
        <translation>跟隨系統</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>重新启动 ORVEL 后生效</source>
        <extracomment>under the language choice: texts already shown are not written again</extracomment>
        <translation>重新啟動 ORVEL 後生效</translation>
    </message>
</context>
<context>
    <name>SettingsMessageBox</name>
    <message>
        <location filename="../src/ui/settings/SettingsMessageBox.cpp" line="+23"/>
        <source>知道了</source>
        <extracomment>the only button of a settings message: closes it</extracomment>
        <translation>知道了</translation>
    </message>
</context>
<context>
    <name>SettingsReminders</name>
    <message>
        <location filename="../src/ui/settings/SettingsReminders.cpp" line="+12"/>
        <source>提醒设置失败</source>
        <translation>提醒設定失敗</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>提醒设置已更新</source>
        <translation>提醒設定已更新</translation>
    </message>
</context>
<context>
    <name>SettingsRemindersCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsRemindersCard.cpp" line="+17"/>
        <source>提醒设置</source>
        <translation>提醒設定</translation>
    </message>
</context>
<context>
    <name>SettingsTaskbarCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsTaskbarCard.cpp" line="+10"/>
        <source>界面设置</source>
        <translation>介面設定</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+9"/>
        <source>隐藏任务栏图标</source>
        <translation>隱藏工作列圖示</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>隐藏后 ORVEL 仅在系统托盘显示</source>
        <translation>隱藏後 ORVEL 只在系統匣顯示</translation>
    </message>
</context>
<context>
    <name>SettingsUpdateCard</name>
    <message>
        <location filename="../src/ui/settings/SettingsUpdateCard.cpp" line="+19"/>
        <source>应用更新</source>
        <translation>應用程式更新</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>官网下载的版本可在这里手动检查更新；从发行版软件源安装的版本由系统的软件更新负责，不会显示这个入口。</source>
        <translation>從官網下載的版本可在這裏手動檢查更新；從發行版軟件源安裝的版本由系統的軟件更新負責，不會顯示此項目。</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+46"/>
        <source>检查更新</source>
        <translation>檢查更新</translation>
    </message>
    <message>
        <location line="-43"/>
        <source>隐私政策</source>
        <translation>私隱政策</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>检查中...</source>
        <translation>檢查中...</translation>
    </message>
</context>
<context>
    <name>SettingsUpdateCheck</name>
    <message>
        <location filename="../src/ui/settings/SettingsUpdateCheck.cpp" line="+14"/>
        <source>正在检查新版本...</source>
        <translation>正在檢查新版本...</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>当前分发渠道不提供站外更新。</source>
        <translation>目前的分發渠道不提供站外更新。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>检查更新失败：%1</source>
        <extracomment>%1 why the check failed</extracomment>
        <translation>檢查更新失敗：%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>已是最新版本。</source>
        <translation>已是最新版本。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>发现新版本，但下载地址无效，请稍后重试。</source>
        <translation>發現新版本，但下載網址無效，請稍後再試。</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>发现新版本 %1 (%2)，但无法打开下载页面，请在浏览器中访问 %3。</source>
        <extracomment>%1 the version, %2 its build number, %3 the download page&apos;s address</extracomment>
        <translation>發現新版本 %1 (%2)，但無法開啟下載頁面，請在瀏覽器中前往 %3。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>发现新版本 %1 (%2)，已打开下载页面。</source>
        <extracomment>%1 the version, %2 its build number</extracomment>
        <translation>發現新版本 %1 (%2)，已開啟下載頁面。</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>无法打开隐私政策</source>
        <translation>無法開啟私隱政策</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>当前应用未配置隐私政策链接。</source>
        <translation>目前的應用程式未設定私隱政策連結。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>无法启动浏览器，请手动访问 %1。</source>
        <extracomment>%1 the privacy page&apos;s address</extracomment>
        <translation>無法啟動瀏覽器，請手動前往 %1。</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <location filename="../src/ui/settings/SettingsView.cpp" line="+95"/>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关闭</source>
        <translation>關閉</translation>
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
        <translation>另一個 ORVEL 正在執行（鎖定檔案 %1），但沒有在 %2 上回應；請先結束它，然後再啟動。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>无法在 %1 上接收其他 ORVEL 的请求：%2</source>
        <translation>無法在 %1 上接收其他 ORVEL 的要求：%2</translation>
    </message>
</context>
<context>
    <name>TableCellText</name>
    <message>
        <location filename="../src/ui/main_window/TableCellText.cpp" line="+30"/>
        <source>待申购</source>
        <translation>待認購</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>申购中</source>
        <translation>認購中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已上市</source>
        <translation>已上市</translation>
    </message>
</context>
<context>
    <name>TableHeaderBar</name>
    <message>
        <location filename="../src/ui/main_window/TableHeaderBar.cpp" line="+38"/>
        <source>列标题</source>
        <translation>欄標題</translation>
    </message>
</context>
<context>
    <name>TableRowMenu</name>
    <message>
        <location filename="../src/ui/main_window/TableRowMenu.cpp" line="+15"/>
        <source>复制代码</source>
        <translation>複製代號</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>复制名称</source>
        <translation>複製名稱</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打开招股书</source>
        <translation>開啟招股章程</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>清除本地记录…</source>
        <translation>清除本機記錄…</translation>
    </message>
</context>
<context>
    <name>TableSearchField</name>
    <message>
        <location filename="../src/ui/main_window/TableSearchField.cpp" line="+11"/>
        <location line="+1"/>
        <source>搜索代码或名称</source>
        <translation>搜尋代號或名稱</translation>
    </message>
</context>
<context>
    <name>TimeFilter</name>
    <message>
        <location filename="../src/ui/main_window/TimeFilter.cpp" line="+8"/>
        <source>本周</source>
        <translation>本週</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>本月</source>
        <translation>本月</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>近30天</source>
        <translation>近30日</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>全部</source>
        <translation>全部</translation>
    </message>
</context>
<context>
    <name>ToolbarRefreshButton</name>
    <message>
        <location filename="../src/ui/main_window/ToolbarRefreshButton.cpp" line="+4"/>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
</context>
<context>
    <name>ToolbarSettingsButton</name>
    <message>
        <location filename="../src/ui/main_window/ToolbarSettingsButton.cpp" line="+4"/>
        <source>设置</source>
        <translation>設定</translation>
    </message>
</context>
<context>
    <name>UserIPOBackupCSVError</name>
    <message>
        <location filename="../src/store/UserIPOBackupCSVError.cpp" line="+7"/>
        <location line="+4"/>
        <source>CSV 表头格式无效</source>
        <translation>CSV 標題列格式無效</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>无法读取 CSV 文件内容</source>
        <translation>無法讀取 CSV 檔案內容</translation>
    </message>
</context>
<context>
    <name>UserIPOStore</name>
    <message>
        <location filename="../src/store/UserIPOStore.cpp" line="+191"/>
        <source>无法打开 ORVEL 的数据文件 %1，你的记录保存在这个文件里。请检查这个文件和它所在的文件夹，然后重新启动 ORVEL。
原因：%2</source>
        <translation>無法開啟 ORVEL 的資料檔案 %1，你的記錄儲存在這個檔案裏。請檢查這個檔案及其所在的資料夾，然後重新啟動 ORVEL。
原因：%2</translation>
    </message>
</context>
<context>
    <name>YearResultsText</name>
    <message>
        <location filename="../src/ui/main_window/YearResultsText.cpp" line="+18"/>
        <source>（%1）</source>
        <extracomment>a rate in brackets after a count, e.g. &quot;（45.0%）&quot;</extracomment>
        <translation>（%1）</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>申购 %1 · 中签 %2%3</source>
        <translation>認購 %1 · 中籤 %2%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>卖出 %1 · 盈利 %2%3</source>
        <translation>沽出 %1 · 盈利 %2%3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>收益 %1 · 费用 %2</source>
        <translation>收益 %1 · 費用 %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>最佳 %1 %2 · 最差 %3 %4</source>
        <extracomment>the best and the worst IPO of the year: name and result of each</extracomment>
        <translation>最佳 %1 %2 · 最差 %3 %4</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>  持有 %1 股</source>
        <translation>  持有 %1 股</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+53"/>
        <source>ORVEL：港股新股申购一览</source>
        <translation>ORVEL：港股新股認購一覽</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>从服务获取新股列表，按制表符分隔的行输出。</source>
        <translation>從服務取得新股列表，以 Tab 分隔的行輸出。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>与 --list 或 --results 同用：改为输出 JSON（分别为数组和对象）。</source>
        <translation>與 --list 或 --results 一併使用：改為輸出 JSON（分別為陣列及物件）。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>按制表符分隔的行输出 YEAR 年的统计和新股（默认为香港时间的今年）。</source>
        <extracomment>YEAR is the name of the positional argument and stays as it is</extracomment>
        <translation>以 Tab 分隔的行輸出 YEAR 年的統計及新股（預設為香港時間的今年）。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>获取新股列表，将其中的日期输出为 iCalendar 文件。</source>
        <translation>取得新股列表，將其中的日期輸出為 iCalendar 檔案。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>输出从进程启动到首个窗口绘制完成的毫秒数，然后退出。</source>
        <translation>輸出由程式啟動至首個視窗繪製完成的毫秒數，然後結束。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>将每个窗口的浅色和深色截图保存到 &lt;dir&gt;，然后退出。</source>
        <extracomment>&lt;dir&gt; is the option&apos;s value name and stays as it is</extracomment>
        <translation>將每個視窗的淺色及深色截圖儲存到 &lt;dir&gt;，然後結束。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>与 --results 同用。</source>
        <translation>與 --results 一併使用。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--json 须与 --list 或 --results 同用</source>
        <translation>--json 須與 --list 或 --results 一併使用</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--ics、--list 和 --results 输出的内容各不相同，只能指定其中一个</source>
        <translation>--ics、--list 和 --results 輸出的內容各不相同，只能指定其中一個</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>只有 --results 接受参数（一个年份）</source>
        <translation>只有 --results 接受參數（一個年份）</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>不是有效的年份：%1</source>
        <extracomment>%1 the argument given in place of a year</extracomment>
        <translation>不是有效的年份：%1</translation>
    </message>
</context>
</TS>
