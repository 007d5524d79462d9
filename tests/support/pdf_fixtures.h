// The PDF files the Windows comparison, the fuzzer's seeds and the
// benchmarks use, made by PdfBuilder: one of each kind the reader tells
// apart, and scanned documents of any length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace folvane::fixture {

// Named files ("scan_a4_g4.pdf", "locked_password.pdf", ...), the same
// bytes on every run.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> PdfFixtureSet();

// A scanned document: `pages` A4 pages at 300 dpi, each painting its own
// G4 image of `imageBytes` bytes of stand-in data; `variant` varies the
// sizes a little so that files differ.
std::vector<std::uint8_t> ScannedPdf(std::size_t pages, std::size_t imageBytes,
                                     std::size_t variant = 0);

}  // namespace folvane::fixture
