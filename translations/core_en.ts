<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- English for the texts of core's tables (core/quantities.h, core/fields.cpp,
     core/pipe_summary.h), which reach
     tr() from the tables, where lupdate cannot see them. Kept by hand: a new caption, prompt
     or fault in core needs its entry here (a window test checks that each has one). -->
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Core</name>
    <message>
        <source>压强（MPa）</source>
        <translation>Pressure (MPa)</translation>
    </message>
    <message>
        <source>流速（m/s）</source>
        <translation>Velocity (m/s)</translation>
    </message>
    <message>
        <source>流通直径（mm）</source>
        <translation>Diameter (mm)</translation>
    </message>
    <message>
        <source>流量（Nm^3/h)</source>
        <translation>Flow (Nm³/h)</translation>
    </message>
    <message>
        <source>压强</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>流通直径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>流速计算</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>流量计算</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>直径计算</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>请输入流通直径</source>
        <translation>Please enter the bore diameter.</translation>
    </message>
    <message>
        <source>请输入完整数据</source>
        <translation>Please enter complete data.</translation>
    </message>
    <message>
        <source>溢出</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>除数为零</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>无效的过程调用或参数</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
    <message>
        <source>钢管 ASME B36.10M Schedule 40</source>
        <translation>Steel pipe, ASME B36.10M Schedule 40</translation>
    </message>
    <message>
        <source>聚乙烯燃气管 SDR11</source>
        <translation>Polyethylene gas pipe, SDR 11</translation>
    </message>
    <message>
        <source>聚乙烯燃气管 SDR17</source>
        <translation>Polyethylene gas pipe, SDR 17</translation>
    </message>
    <message>
        <source>管道系列：内径不小于计算直径的最小管</source>
        <translation>Pipe series: the smallest pipe whose bore is at least the computed diameter</translation>
    </message>
</context>
</TS>
