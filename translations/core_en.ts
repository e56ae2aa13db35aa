<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- English for the texts of core's tables (core/quantities.h, core/fields.cpp,
     core/pipe_summary.h, core/line.h), which reach
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
        <translation>Flow (Nm^3/h)</translation>
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
    <message>
        <source>管长（m）</source>
        <translation>Length (m)</translation>
    </message>
    <message>
        <source>温度（°C）</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>密度（kg/Nm³）</source>
        <translation>Density (kg/Nm³)</translation>
    </message>
    <message>
        <source>运动黏度（m²/s）</source>
        <translation>Kinematic viscosity (m²/s)</translation>
    </message>
    <message>
        <source>粗糙度（mm）</source>
        <translation>Roughness (mm)</translation>
    </message>
    <message>
        <source>压缩因子</source>
        <translation>Compressibility factor</translation>
    </message>
    <message>
        <source>大气压（kPa）</source>
        <translation>Atmospheric pressure (kPa)</translation>
    </message>
    <message>
        <source>允许压降（kPa）</source>
        <translation>Max drop (kPa)</translation>
    </message>
    <message>
        <source>出口压力（MPa）</source>
        <translation>Outlet (MPa)</translation>
    </message>
    <message>
        <source>压降（kPa）</source>
        <translation>Pressure drop (kPa)</translation>
    </message>
    <message>
        <source>压降</source>
        <translation>Drop</translation>
    </message>
    <message>
        <source>管道末端的压力：按所选管道或流通直径计算</source>
        <translation>The pressure at the end of the line: in the pipe chosen, or in the diameter entered</translation>
    </message>
    <message>
        <source>计算后显示管道末端的压力</source>
        <translation>Calculate first, then the pressure at the end of the line shows here</translation>
    </message>
    <message>
        <source>请输入管长</source>
        <translation>Please enter the length.</translation>
    </message>
    <message>
        <source>内径 %1 mm · 压降 %2 kPa</source>
        <translation>bore %1 mm · drop %2 kPa</translation>
    </message>
    <message>
        <source>，超过允许压降 %1 kPa</source>
        <translation>, more than the %1 kPa allowed</translation>
    </message>
    <message>
        <source>内径 %1 mm：表压在 %2 m 处降到零，气体到不了管末</source>
        <translation>bore %1 mm: the gauge pressure falls to zero at %2 m, the gas does not reach the end</translation>
    </message>
    <message>
        <source>%1 超出适用范围</source>
        <translation>%1 is out of range</translation>
    </message>
    <message>
        <source>管长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>运动黏度</source>
        <translation>Kinematic viscosity</translation>
    </message>
    <message>
        <source>粗糙度</source>
        <translation>Roughness</translation>
    </message>
    <message>
        <source>大气压</source>
        <translation>Atmospheric pressure</translation>
    </message>
    <message>
        <source>允许压降</source>
        <translation>Max drop</translation>
    </message>
    <message>
        <source>出口压力</source>
        <translation>Outlet</translation>
    </message>
    <message>
        <source>允许压降须大于 0 kPa</source>
        <translation>the allowed drop must be more than 0 kPa</translation>
    </message>
    <message>
        <source>按流速选管</source>
        <translation>decided by velocity</translation>
    </message>
    <message>
        <source>按压降选管</source>
        <translation>decided by pressure drop</translation>
    </message>
    <message>
        <source>%1 中没有内径 ≥ %2 mm 的管，无出口压力</source>
        <translation>no pipe in %1 has a bore of at least %2 mm: no outlet pressure</translation>
    </message>
    <message>
        <source>%1 中没有压降不超过 %2 kPa 的管，无出口压力</source>
        <translation>no pipe in %1 loses at most %2 kPa: no outlet pressure</translation>
    </message>
    <message>
        <source>层流</source>
        <translation>laminar</translation>
    </message>
    <message>
        <source>临界区</source>
        <translation>transitional</translation>
    </message>
    <message>
        <source>紊流</source>
        <translation>turbulent</translation>
    </message>
    <message>
        <source>Re %1 接近 %2，压降可能差几个百分点</source>
        <translation>Re %1 is near %2, where the friction bands meet: the drop may be a few per cent off</translation>
    </message>
    <message>
        <source>%1 %2 不在常见的 %3 至 %4 内，单位对吗？</source>
        <translation>%1 %2 is outside the usual %3 to %4: is it in another unit?</translation>
    </message>
    <message>
        <source>%1 只读了开头：按 %2 计算</source>
        <translation>%1 was read only in part: computed as %2</translation>
    </message>
    <message>
        <source>管段</source>
        <translation>Segment</translation>
    </message>
    <message>
        <source>内径</source>
        <translation>Bore</translation>
    </message>
    <message>
        <source>管材</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>规格</source>
        <translation>Pipe</translation>
    </message>
    <message>
        <source>高程差</source>
        <translation>Rise</translation>
    </message>
    <message>
        <source>局部阻力</source>
        <translation>Local losses</translation>
    </message>
    <message>
        <source>燃具额定压力</source>
        <translation>Appliance pressure</translation>
    </message>
    <message>
        <source>第 %1 段</source>
        <translation>segment %1</translation>
    </message>
    <message>
        <source>第 %1 段（%2）</source>
        <translation>segment %1 (%2)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>无法计算：%1</source>
        <translation>Cannot compute: %1</translation>
    </message>
    <message>
        <source>至少要有一个管段</source>
        <translation>a line needs at least one segment</translation>
    </message>
    <message>
        <source>请给出内径或管材</source>
        <translation>give a bore or a series</translation>
    </message>
    <message>
        <source>内径与管材只能给一个</source>
        <translation>give a bore or a series, not both</translation>
    </message>
    <message>
        <source>给出规格时须给出管材</source>
        <translation>a pipe needs its series</translation>
    </message>
    <message>
        <source>没有管材“%1”</source>
        <translation>no series “%1”</translation>
    </message>
    <message>
        <source>管材中没有规格“%1”</source>
        <translation>no pipe “%1” in its series</translation>
    </message>
    <message>
        <source>只给管材的管段按允许压降选管：请给出允许压降，低压管线也可给燃具额定压力</source>
        <translation>segments with only a series are sized to an allowed drop: give the allowed drop, or at low pressure the appliance pressure</translation>
    </message>
    <message>
        <source>允许压降与燃具额定压力只能给一个</source>
        <translation>give the allowed drop or the appliance pressure, not both</translation>
    </message>
    <message>
        <source>燃具额定压力只用于低压管线（入口压强 &lt; 0.01 MPa）：请给出允许压降</source>
        <translation>the appliance pressure sets the allowance of a low-pressure line only (inlet below 0.01 MPa): give the allowed drop</translation>
    </message>
    <message>
        <source>总压降 %1</source>
        <translation>Total drop %1</translation>
    </message>
    <message>
        <source>允许压降 %1</source>
        <translation>allowed drop %1</translation>
    </message>
    <message>
        <source>未给允许压降，不校核</source>
        <translation>no allowed drop given, not checked</translation>
    </message>
    <message>
        <source>校核通过</source>
        <translation>check passed</translation>
    </message>
    <message>
        <source>校核未通过：%1</source>
        <translation>check failed: %1</translation>
    </message>
    <message>
        <source>总压降超过允许压降</source>
        <translation>the total drop is more than the allowed drop</translation>
    </message>
    <message>
        <source>表压在%1的 %2 处降到零（该段长 %3）</source>
        <translation>the gauge pressure falls to 0 in %1 at %2 of its %3</translation>
    </message>
    <message>
        <source>%1 已无剩余的允许压降可用于选管</source>
        <translation>%1: nothing of the allowed drop is left to size it with</translation>
    </message>
    <message>
        <source>%1 的管材中没有单位长度损失不超过 %2 的管</source>
        <translation>%1: no pipe of its series loses at most %2</translation>
    </message>
    <message>
        <source>%1 的管材中没有单位长度损失不超过 %2、流速不超过 %3 的管</source>
        <translation>%1: no pipe of its series loses at most %2 at no more than %3</translation>
    </message>
    <message>
        <source>* 按单位长度允许压降 %1 选管</source>
        <translation>* sized for at most %1</translation>
    </message>
    <message>
        <source>中压和高压管线不计附加压头</source>
        <translation>the rise is not counted at medium and high pressure</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>空气密度</source>
        <translation>Air density</translation>
    </message>
    <message>
        <source>最大流速</source>
        <translation>Highest velocity</translation>
    </message>
</context>
</TS>
