// Standard output and error: whether they are terminals, and writing text
// to them so that it reads right.
//
// A terminal gets the program's texts in its own encoding: on POSIX systems
// the locale's (LC_ALL, LC_CTYPE, LANG), UTF-8 when that is UTF-8 and code
// page 932 otherwise; a Windows console gets the characters themselves
// (WriteConsoleW), whatever its code page. Files and pipes get code page 932,
// as result files do. The command line's --encoding overrides both.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/output_file.h"
#include "platform/text_encoding.h"

namespace folvane {

enum class StandardStream { Output, Error };

bool StandardErrorIsTerminal();

// Whether `path` names a terminal (/dev/tty, a pseudo-terminal, /dev/stdout
// on a terminal; CON or CONOUT$ on Windows): the place for text, never for
// a workbook's bytes.
bool IsTerminalPath(const std::string& path);

// The encoding a terminal on `stream` reads; nothing when the stream is a
// file, a pipe or a device other than a terminal. A Windows console reads
// Utf8, which TerminalStandardOutput() and WriteToStandardError() hand to it
// as characters.
std::optional<OutputEncoding> TerminalEncoding(StandardStream stream);

// The encoding for a locale's codeset name (nl_langinfo(CODESET)): Utf8 for
// UTF-8 in any spelling, Cp932 for every other.
OutputEncoding EncodingForCodeset(std::string_view codeset);

// The locale the environment names for character types: the first of
// LC_ALL, LC_CTYPE and LANG that is set and not empty ("ja_JP.UTF-8").
// Whether it says UTF-8 ("xx_YY.UTF-8", ".utf8", "C.UTF-8@euro"): a locale
// named so reads UTF-8 even where the system does not have it installed
// (containers often have none), where asking the system would answer "C".
bool LocaleNameSaysUtf8(std::string_view name);

// Standard output for text in the encoding TerminalEncoding(Output) named:
// a Windows console takes the UTF-8 as characters; elsewhere the bytes go
// out as they are, as from StandardOutput().
std::unique_ptr<OutputStream> TerminalStandardOutput();

// From now on, WriteToStandardError() writes `encoding` wherever standard
// error leads, for the command line's --encoding. Call it before any thread
// writes messages.
void SetStandardErrorEncoding(OutputEncoding encoding);

// Writes `text` (UTF-8) to standard error unbuffered: to a terminal in its
// encoding, to a file or pipe in code page 932, unless
// SetStandardErrorEncoding() chose otherwise.
void WriteToStandardError(std::string_view text);

}  // namespace folvane
