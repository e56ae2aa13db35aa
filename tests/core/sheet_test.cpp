// The sheet of each command, in both languages, as HTML: what a checker must find on it.
#include "core/sheet/sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "core/sheet/sheet_html.h"

namespace tarnivel {
namespace {

SheetStamp Stamp(SheetLanguage language) {
  return {language, {"Gas <main> & co", "L-1", "Wang"}, "Tarnivel 1.00", "2026-12-10"};
}

Sheet PipeCase(SheetLanguage language) {
  DropParameters drop;
  drop[DropQuantity::Length] = "200";
  drop[DropQuantity::MaxDrop] = "1";
  const PipeSeries* series[] = {FindSeries(BuiltInSeries(), "pe-sdr11")};
  const Sizing sizing = SizePipes({"0.005", "10", "50", &drop}, series);
  return PipeSheet(Stamp(language), {"0.005", "10", "50", &drop, &sizing});
}

Sheet DropCase(SheetLanguage language) {
  DropTexts texts{"0.4", "1000", "102.26", {}};
  texts[DropQuantity::Length] = "1000";
  const auto line = std::get<tarnivel::DropCase>(ReadDropCase(texts));
  const auto result = std::get<DropResult>(ComputeDrop(line));
  return DropSheet(Stamp(language), {&line, &texts.parameters, "", &result});
}

Sheet LineCase(SheetLanguage language) {
  GasLineTexts texts;
  texts.inlet = "0.002";
  texts[LineQuantity::AppliancePressure] = "2000";
  for (const auto& [name, length, flow, rise] :
       {std::tuple{"yard", "35", "40", ""}, {"riser", "12", "8", "12"}}) {
    SegmentTexts segment;
    segment[SegmentColumn::Name] = name;
    segment[SegmentColumn::Length] = length;
    segment[SegmentColumn::Flow] = flow;
    segment[SegmentColumn::Rise] = rise;
    segment[SegmentColumn::Series] = "pe-sdr11";
    texts.segments.push_back(segment);
  }
  const auto line = std::get<GasLine>(ReadGasLine(texts));
  const auto result = std::get<GasLineResult>(ComputeGasLine(line));
  return LineSheet(Stamp(language), {&texts, &line, &result});
}

TEST(Sheet, HtmlHoldsWhatACheckerSigns) {
  struct Case {
    std::function<Sheet(SheetLanguage)> sheet;
    SheetLanguage language;
    std::vector<std::string> texts;
  };
  const std::vector<std::string> zh = {"设计", "校对", "审核", "Tarnivel 1.00", "2026-12-10",
                                       "Gas &lt;main&gt; &amp; co", "L-1", "Wang", "第 \" counter(page)"};
  const Case cases[] = {
      {PipeCase, SheetLanguage::Chinese,
       {"管道选型", "3.1415926", "玻意耳定律", "41.0387538883277", "de75", "4.46736655218286",
        "0.00424824975298502", "0.751750247014978", "≤ 1 kPa", "合格", "默认值", "管材自身",
        "GB 50028 §6.2", "λ = 64/Re"}},
      {PipeCase, SheetLanguage::English,
       {"Pipe sizing", "Boyle's law", "passed", "Designed", "Checked", "Approved",
        "Page \" counter(page) \" of \" counter(pages)", "the series' own"}},
      {DropCase, SheetLanguage::Chinese,
       {"0.381019959228062", "18.9800407719382", "0.0207774902899748", "紊流 Re &gt; 3500",
        "1.27×10¹⁰", "102.26", "&gt; 0 MPa", "合格"}},
      {LineCase, SheetLanguage::Chinese,
       {"ΔPd = 0.75·Pn + 150 Pa", "ΔH = 9.8·(ρair − ρ0)·h", "de50 *", "0.00125378911940981", "riser",
        "燃具额定压力", "附加压头"}},
      {LineCase, SheetLanguage::English, {"Gas line", "total drop", "passed", "segment"}},
  };
  for (const Case& c : cases) {
    const Sheet sheet = c.sheet(c.language);
    const std::string page = SheetHtml(sheet);
    const std::string rich = SheetHtml(sheet, SheetHtmlForm::RichText);
    std::vector<std::string> wanted = c.texts;
    if (c.language == SheetLanguage::Chinese) wanted.insert(wanted.end(), zh.begin(), zh.end());
    for (const std::string& text : wanted) EXPECT_NE(page.find(text), std::string::npos) << text;
    for (const std::string& html : {page, rich}) {
      EXPECT_EQ(html.find("<script"), std::string::npos);
      EXPECT_EQ(html.find("http"), std::string::npos) << "nothing is fetched";
      EXPECT_NE(html.find("<thead>"), std::string::npos);
    }
    EXPECT_NE(page.find("@page { size: A4"), std::string::npos);
    EXPECT_EQ(rich.find("@page"), std::string::npos) << "the PDF draws its own page numbers";
  }
}

TEST(Sheet, FormatByExtensionAndLanguageByName) {
  EXPECT_EQ(SheetFormatOfFile("a/b.PDF"), SheetFormat::Pdf);
  EXPECT_EQ(SheetFormatOfFile("b.html"), SheetFormat::Html);
  EXPECT_EQ(SheetFormatOfFile("b.htm"), SheetFormat::Html);
  EXPECT_EQ(SheetFormatOfFile("b.txt"), std::nullopt);
  EXPECT_EQ(SheetFormatOfFile("a.pdf/b"), std::nullopt);
  EXPECT_EQ(SheetLanguageNamed("EN"), SheetLanguage::English);
  EXPECT_EQ(SheetLanguageNamed("fr"), std::nullopt);
}

}  // namespace
}  // namespace tarnivel
