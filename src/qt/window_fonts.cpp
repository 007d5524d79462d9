#include "qt/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace folvane::gui {

namespace {

// 9 points at the 96 dots per inch that the twip geometry assumes. Given in
// pixels so that a screen reporting another density does not make the
// captions outgrow their fixed boxes.
constexpr int kNinePointPixels = 12;

QFont FirstInstalled(const QStringList& families, QFont fallback) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            QFont font(family);
            font.setPixelSize(kNinePointPixels);
            return font;
        }
    }
    fallback.setPixelSize(kNinePointPixels);
    return fallback;
}

}  // namespace

QFont WindowFont() {
    return FirstInstalled({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                           QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")},
                          QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

QFont ResultListFont() {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont font = FirstInstalled(
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")},
        fixed);
    font.setStyleHint(QFont::Monospace);
    return font;
}

}  // namespace folvane::gui
