<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
</TS>
