// The input list's shortening of long paths, measured here in characters.
#include "form/path_elision.h"

#include <gtest/gtest.h>

namespace folvane::form {
namespace {

double Characters(std::string_view text) {
    double count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

struct ElisionCase {
    const char* path;
    double room;
    const char* shown;
};

TEST(PathElisionTest, KeepsTheFileNameAndCutsTheFolderInTheMiddle) {
    const ElisionCase cases[] = {
        // Fits: as it is.
        {"C:\\scans\\a.tif", 14, "C:\\scans\\a.tif"},
        {"C:\\scans\\a.tif", 40, "C:\\scans\\a.tif"},
        // The folder gives way in its middle; start and file name stay.
        {"C:\\scans\\2026\\december\\page-0001.tif", 26, "C:\\sca…ember\\page-0001.tif"},
        {"/srv/scans/2026/december/page-0001.tif", 20, "/sr…er/page-0001.tif"},
        // Only "…" and the name fit.
        {"C:\\scans\\december\\page-0001.tif", 15, "…\\page-0001.tif"},
        // Not even that: the end of the name, its extension.
        {"C:\\scans\\december\\page-0001.tif", 9, "…0001.tif"},
        {"page-0001.tif", 9, "…0001.tif"},
        // Whole characters only, Japanese ones included.
        {"D:\\スキャン資料\\二〇二六年十二月\\頁0001.tif", 20, "D:\\スキ…年十二月\\頁0001.tif"},
        {"D:\\資料\\頁頁頁頁頁頁.tif", 6, "…頁.tif"},
    };
    for (const ElisionCase& c : cases) {
        const std::string shown = ElidePath(c.path, c.room, Characters);
        EXPECT_EQ(shown, c.shown) << c.path << " in " << c.room;
        EXPECT_LE(Characters(shown), c.room) << c.path;
    }
}

}  // namespace
}  // namespace folvane::form
