#include "qt/program_icon.h"

#include <QImageReader>
#include <QPixmap>

namespace folvane::gui {

QIcon ProgramIcon() {
    // QIcon given the file name would keep only one of the .ico's
    // pictures; each is drawn for its own size, so all of them are added.
    static const QIcon icon = [] {
        QIcon sizes;
        QImageReader reader(QStringLiteral(":/folvane/folvane.ico"));
        const int count = reader.imageCount();
        for (int i = 0; i < count && reader.jumpToImage(i); ++i) {
            const QImage image = reader.read();
            if (!image.isNull()) sizes.addPixmap(QPixmap::fromImage(image));
        }
        return sizes;
    }();
    return icon;
}

}  // namespace folvane::gui
