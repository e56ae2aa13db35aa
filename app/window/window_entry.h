#pragma once
// What the program looks up in the window's library: C functions, so that the two agree on
// them without sharing anything but these names and signatures.

#include <cstddef>

extern "C" {
// Runs the calculator window until it is closed; returns the exit status. Qt takes its own
// options (-style, -platform...) from `argv`.
using TarnivelRunWindow = int(int argc, char** argv);
TarnivelRunWindow tarnivel_run_window;

// Receives bytes: the PDF on success, the reason on failure.
using TarnivelSink = void(void* context, const char* bytes, std::size_t size);
// Writes a calculation sheet's rich text (UTF-8) as A4 PDF, with the page footer made from
// `page_pattern` (%1 the page, %2 the count) and the PDF's title, and hands the bytes to
// `sink`; returns 0. On failure hands `sink` the reason and returns 1. Needs no display.
using TarnivelWriteSheetPdf = int(const char* rich_text, const char* page_pattern,
                                  const char* title, TarnivelSink* sink, void* context);
TarnivelWriteSheetPdf tarnivel_write_sheet_pdf;
}

namespace tarnivel {
// The library's file name, in TARNIVEL_WINDOW_LIBRARY_DIR relative to the program's folder.
inline constexpr const char* kWindowLibrary = "tarnivel-window.so";
inline constexpr const char* kWindowEntry = "tarnivel_run_window";
inline constexpr const char* kSheetPdfEntry = "tarnivel_write_sheet_pdf";
}  // namespace tarnivel
