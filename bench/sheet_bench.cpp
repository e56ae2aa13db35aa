// The calculation sheet of a line of 200 segments, the most a designer signs in one go: made
// and written as HTML by the core, and with the window's library as PDF (a sheet of about ten
// pages). Either must take well under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "core/line/line.h"
#include "core/sheet/sheet.h"
#include "core/sheet/sheet_html.h"

#ifdef TARNIVEL_SHEET_PDF
#include <QGuiApplication>

#include "ui/sheet/sheet_pdf.h"
#endif

namespace tarnivel {
namespace {

// A distribution main at 0.3 MPa in 200 segments of falling flow, every other one sized in PE.
GasLineTexts Line() {
  GasLineTexts texts;
  texts.inlet = "0.3";
  texts.drop[DropQuantity::MaxDrop] = "60";
  for (int i = 0; i < 200; ++i) {
    SegmentTexts segment;
    segment[SegmentColumn::Name] = "s" + std::to_string(i + 1);
    segment[SegmentColumn::Length] = std::to_string(20 + i % 7);
    segment[SegmentColumn::Flow] = std::to_string(2000 - 9 * i);
    segment[SegmentColumn::Series] = "pe-sdr11";
    if (i % 2 == 0) segment[SegmentColumn::Pipe] = "de160";
    texts.segments.push_back(segment);
  }
  return texts;
}

Sheet LineSheetOf(const GasLineTexts& texts) {
  const auto line = std::get<GasLine>(ReadGasLine(texts));
  const auto result = std::get<GasLineResult>(ComputeGasLine(line));
  return LineSheet({SheetLanguage::Chinese, {"Bench", "L-200", ""}, "Tarnivel", "2026-12-10"},
                   {&texts, &line, &result});
}

void BM_LineSheetHtml(benchmark::State& state) {
  const GasLineTexts texts = Line();
  for (auto _ : state) benchmark::DoNotOptimize(SheetHtml(LineSheetOf(texts)));
}
BENCHMARK(BM_LineSheetHtml)->Unit(benchmark::kMillisecond);

#ifdef TARNIVEL_SHEET_PDF
void BM_LineSheetPdf(benchmark::State& state) {
  const GasLineTexts texts = Line();
  for (auto _ : state) {
    const Sheet sheet = LineSheetOf(texts);
    benchmark::DoNotOptimize(
        SheetPdf(QString::fromStdString(SheetHtml(sheet, SheetHtmlForm::RichText)),
                 QString::fromUtf8(kPageNumberPattern.chinese.data(),
                                   static_cast<qsizetype>(kPageNumberPattern.chinese.size())),
                 QString::fromStdString(SheetTitle(sheet))));
  }
}
BENCHMARK(BM_LineSheetPdf)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace tarnivel

int main(int argc, char** argv) {
#ifdef TARNIVEL_SHEET_PDF
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);  // the PDF's fonts
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
