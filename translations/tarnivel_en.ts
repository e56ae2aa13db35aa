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
    <name>tarnivel::LineWindow</name>
    <message>
        <source>%1（%2）</source>
        <extracomment>A caption with its unit: %1 the quantity, %2 the unit.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>管线</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>由多个管段串联的燃气管线：逐段计算出口压力、选管并校核总压降</source>
        <translation>A gas line of segments in series: each segment&apos;s outlet pressure, its pipe, and the total drop checked</translation>
    </message>
    <message>
        <source>（不选管）</source>
        <translation>(no sizing)</translation>
    </message>
    <message>
        <source>管材系列</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>未给内径和管材的管段在此系列中选管</source>
        <translation>Segments without a bore or a series are sized in this series</translation>
    </message>
    <message>
        <source>允许的总压降；低压时也可由燃具额定压力得出</source>
        <translation>The allowed total drop; at low pressure it may come from the appliances&apos; rated pressure</translation>
    </message>
    <message>
        <source>低压管线：允许压降为 0.75 倍额定压力加 150 Pa</source>
        <translation>Low-pressure lines: the allowed drop is 0.75 times the rated pressure plus 150 Pa</translation>
    </message>
    <message>
        <source>管段</source>
        <translation>Segments</translation>
    </message>
    <message>
        <source>每行一个管段，从入口起；Insert 添加，Ctrl+Delete 删除，Alt+上/下 移动</source>
        <translation>A segment a row, from the inlet on; Insert adds one, Ctrl+Delete removes it, Alt+Up/Down moves it</translation>
    </message>
    <message>
        <source>添加管段</source>
        <translation>Add segment</translation>
    </message>
    <message>
        <source>删除管段</source>
        <translation>Remove segment</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>打开…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>各管段计算结果</source>
        <translation>Results by segment</translation>
    </message>
    <message>
        <source>总压降与校核</source>
        <translation>Total drop and check</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>无法保存 %1：%2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>打开管段表</source>
        <translation>Open segments</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;所有文件 (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>保存管段表</source>
        <translation>Save segments</translation>
    </message>
    <message>
        <source>输入入口压强与管段，结果随输入计算</source>
        <translation>Type the inlet pressure and the segments: the results follow as you type</translation>
    </message>
    <message>
        <source>计算书…</source>
        <translation>Calculation sheet…</translation>
    </message>
    <message>
        <source>计算书</source>
        <translation>Calculation sheet</translation>
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
    <message>
        <source>计算书…</source>
        <translation>Calculation sheet…</translation>
    </message>
    <message>
        <source>计算书</source>
        <translation>Calculation sheet</translation>
    </message>
    <message>
        <source>计算书记录直径计算所选的管道：请先进行直径计算。</source>
        <translation>A calculation sheet records the pipe a diameter calculation chose: calculate the diameter first.</translation>
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
<context>
    <name>tarnivel::SheetDialog</name>
    <message>
        <source>计算书</source>
        <translation>Calculation sheet</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>管线名称</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>设计人</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>保存后打开预览</source>
        <translation>Open it to preview after saving</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>HTML 文件 (*.html)</source>
        <translation>HTML files (*.html)</translation>
    </message>
    <message>
        <source>保存计算书</source>
        <translation>Save the calculation sheet</translation>
    </message>
    <message>
        <source>计算书未能保存：%1</source>
        <translation>The calculation sheet could not be saved: %1</translation>
    </message>
    <message>
        <source>PDF 未能排版</source>
        <translation>the PDF could not be laid out</translation>
    </message>
</context>
</TS>
