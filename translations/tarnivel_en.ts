<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>tarnivel::Accessibility</name>
    <message>
        <source>%1 %2</source>
        <extracomment>A field&apos;s name for screen readers: %1 the quantity, %2 its unit.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>tarnivel::DropSection</name>
    <message>
        <source>压降计算</source>
        <translation>Pressure drop</translation>
    </message>
    <message>
        <source>管道的长度，从入口到出口</source>
        <translation>The length of the line, from inlet to outlet</translation>
    </message>
    <message>
        <source>管道内气体的温度</source>
        <translation>The temperature of the gas in the line</translation>
    </message>
    <message>
        <source>可选：允许的最大压降，超过时提示</source>
        <translation>Optional: the largest drop allowed; a larger one is pointed out</translation>
    </message>
    <message>
        <source>管道末端气体的表压</source>
        <translation>The gauge pressure of the gas at the end of the line</translation>
    </message>
</context>
<context>
    <name>tarnivel::MainWindow</name>
    <message>
        <source>管道内气体的表压，即高出大气压的部分</source>
        <translation>Gauge pressure of the gas in the line: how far it is above atmospheric pressure</translation>
    </message>
    <message>
        <source>管道内气体的平均流速</source>
        <translation>Mean velocity of the gas in the line</translation>
    </message>
    <message>
        <source>管道的流通内径</source>
        <translation>Inside (bore) diameter of the pipe</translation>
    </message>
    <message>
        <source>标准状态下的体积流量</source>
        <translation>Volume flow rate at standard conditions</translation>
    </message>
    <message>
        <source>计算%1</source>
        <translation>Calculate %1</translation>
    </message>
    <message>
        <source>退  出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>tarnivel::PipeStrip</name>
    <message>
        <source>管道系列</source>
        <translation>Pipe series</translation>
    </message>
    <message>
        <source>内径</source>
        <translation>bore</translation>
    </message>
    <message>
        <source>绝压</source>
        <translation>absolute</translation>
    </message>
    <message>
        <source>工况流量</source>
        <translation>line flow</translation>
    </message>
    <message>
        <source>%1 中没有内径 ≥ %2 mm 的管</source>
        <translation>no %1 pipe with a bore ≥ %2 mm</translation>
    </message>
    <message>
        <source>%1 中没有压降不超过 %2 kPa 的管</source>
        <translation>no %1 pipe loses at most %2 kPa</translation>
    </message>
    <message>
        <source>标准管道</source>
        <translation>Standard pipe</translation>
    </message>
    <message>
        <source>直径计算后所选系列中的标准管道及其中的流速</source>
        <translation>After a diameter calculation, the standard pipe of the chosen series and the velocity in it</translation>
    </message>
    <message>
        <source>工况</source>
        <translation>Line conditions</translation>
    </message>
    <message>
        <source>上次计算的依据：绝压与工况流量</source>
        <translation>The basis of the last calculation: absolute pressure and line flow</translation>
    </message>
    <message>
        <source>已更改，请重新计算</source>
        <translation>Changed: calculate again</translation>
    </message>
</context>
<context>
    <name>tarnivel::QtMessageBoxes</name>
    <message>
        <source>Ovrin</source>
        <translation>Ovrin</translation>
    </message>
    <message>
        <source>Tarnivel</source>
        <translation>Tarnivel</translation>
    </message>
    <message>
        <source>计算无法完成，请检查输入的数据。</source>
        <translation>The calculation could not be completed. Please check the data you entered.</translation>
    </message>
</context>
</TS>
