// The sheet options read and checked, and the sheet rendered and written whole.

#include "cli/sheet/sheet_output.h"

#include <ctime>
#include <ostream>
#include <utility>

#include "cli/exit_status.h"
#include "cli/usage_error.h"
#include "core/sheet/sheet_html.h"
#include "system/output_file.h"
#include "system/report.h"
#include "tarnivel_version.h"

namespace tarnivel {
namespace {

enum SheetOption { kFile, kProject, kTitle, kDesigner, kLanguage };

SheetPdfMaker& PdfMaker() {
  static SheetPdfMaker maker;
  return maker;
}

// Today, in the local time zone: «2026-12-10». std::localtime, the one both systems' C
// libraries have, on the program's only thread at that moment.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[16] = "";
  if (const std::tm* local = std::localtime(&now)) {
    std::strftime(text, sizeof text, "%Y-%m-%d", local);
  }
  return text;
}

}  // namespace

void ReadSheetOption(std::size_t index, const std::string& value, SheetRequest& request) {
  switch (index) {
    case kFile:
      request.file = value;
      break;
    case kProject:
      request.title.project = value;
      break;
    case kTitle:
      request.title.line = value;
      break;
    case kDesigner:
      request.title.designer = value;
      break;
    default:
      request.language = value;
      break;
  }
}

std::optional<int> CheckSheetRequest(const SheetRequest& request, std::string_view command,
                                     std::ostream& err) {
  if (!request.file) {
    const bool titled = !request.title.project.empty() || !request.title.line.empty() ||
                        !request.title.designer.empty() || request.language;
    if (titled) return UsageError(err, "the sheet's options need --sheet FILE", command);
    return std::nullopt;
  }
  if (!SheetFormatOfFile(*request.file)) {
    return UsageError(err,
                      "the sheet '" + Escaped(*request.file) +
                          "' must end in .html or .pdf, which says how to write it",
                      command);
  }
  if (request.language && !SheetLanguageNamed(*request.language)) {
    std::string known;
    for (const SheetLanguageInfo& info : kSheetLanguages) {
      known += (known.empty() ? "" : ", ") + std::string(info.name);
    }
    return UsageError(
        err, "unknown language '" + Escaped(*request.language) + "' (known: " + known + ")",
        command);
  }
  return std::nullopt;
}

int WriteSheet(const SheetRequest& request, const std::function<Sheet(const SheetStamp&)>& build,
               std::ostream& err) {
  if (!request.file) return kExitOk;
  SheetStamp stamp;
  stamp.language = request.language ? SheetLanguageNamed(*request.language).value_or(stamp.language)
                                    : stamp.language;
  stamp.title = request.title;
  stamp.program = std::string("Tarnivel ") + kTarnivelVersion;
  stamp.date = Today();
  const Sheet sheet = build(stamp);
  std::string contents;
  if (SheetFormatOfFile(*request.file) == SheetFormat::Pdf) {
    if (!PdfMaker()) {
      Report(err,
             "cannot write the PDF sheet: this build has no window library; write "
             "HTML instead (--sheet FILE.html)");
      return kExitUnavailable;
    }
    SheetPdf pdf = PdfMaker()(SheetHtml(sheet, SheetHtmlForm::RichText),
                              kPageNumberPattern.In(stamp.language), SheetTitle(sheet));
    if (!pdf.error.empty()) {
      Report(err, "cannot write the PDF sheet: " + pdf.error);
      return kExitUnavailable;
    }
    contents = std::move(pdf.bytes);
  } else {
    contents = SheetHtml(sheet);
  }
  if (const int error = WriteWholeFile(*request.file, contents); error != 0) {
    ReportFileError(err, *request.file, error);
    return kExitIoError;
  }
  return kExitOk;
}

std::string SheetNotes() {
  return "--sheet FILE also writes a calculation sheet for the result, to be checked and "
         "signed: the method with its sources, the inputs, the gas and wall (defaults marked), "
         "the results with the digits printed here, the checks with their verdicts, and blank "
         "lines for the designer, checker and approver. FILE's extension says the format: "
         ".html (one self-contained page, printable on A4) or .pdf (A4, which needs the "
         "window's library). FILE is replaced whole or not at all. The normal output is "
         "unchanged.";
}

void SetSheetPdfMaker(SheetPdfMaker maker) { PdfMaker() = std::move(maker); }

}  // namespace tarnivel
