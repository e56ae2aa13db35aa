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
