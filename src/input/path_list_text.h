// The text of a list of paths (--files-from) turned into paths: what
// editors, shells, `find -print0` and PowerShell write. A list that cannot
// be read for sure is refused whole, never read some other way: a misread
// list would count other files (every character a path, "." or "\" walked
// with -r) and still look like a run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folvane {

struct DecodedPathList {
    std::vector<std::string> paths;  // UTF-8, none empty, none holding a NUL
    std::string error;               // why the list was refused, in Japanese; empty when read
    bool ok() const { return error.empty(); }
};

// How the bytes are read:
// - A byte-order mark decides the encoding: UTF-8 (the mark is dropped),
//   UTF-16 LE or UTF-16 BE (PowerShell 5.1's `>` and Out-File).
// - Without one, bytes whose NULs are all second bytes of a pair, and make
//   at least a quarter of the bytes, are UTF-16 LE (ASCII paths, or paths
//   where ASCII characters are frequent enough).
// - Otherwise a list holding NUL bytes is NUL-separated, as `find -print0`
//   writes it, when the NULs separate whole entries: no empty entry between
//   two NULs except at the end. Entries are taken as they are (a name may
//   hold a line break).
// - Any other list has one path a line, LF or CR LF; empty lines are skipped.
// The text must be valid in its encoding (UTF-8 or UTF-16 without lone
// surrogates), and a UTF-16 list may hold no NUL character.
DecodedPathList DecodePathList(std::string_view bytes);

}  // namespace folvane
