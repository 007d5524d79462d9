// The core keeps its texts and paths as UTF-8; the widgets hold QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace folvane::gui {

inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToCore(const QString& text) { return text.toStdString(); }

}  // namespace folvane::gui
