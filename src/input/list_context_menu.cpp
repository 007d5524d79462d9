#include "input/list_context_menu.h"

#include <QListWidget>

namespace folvane::gui {

QString SelectedEntriesText(const QListWidget& list) {
    QString text;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* entry = list.item(i);
        if (!entry->isSelected()) continue;
        if (text.isEmpty()) {
            text = entry->text();
        } else {
            text += QStringLiteral("\r\n");
            text += entry->text();
        }
    }
    text += QStringLiteral("\r\n");
    return text;
}

void RemoveSelectedEntries(QListWidget& list) {
    // Each run of neighbouring selected entries goes at once: a result list
    // of tens of thousands of lines would take minutes one line at a time.
    int i = list.count() - 1;
    while (i >= 0) {
        if (!list.item(i)->isSelected()) {
            --i;
            continue;
        }
        const int last = i;
        while (i >= 0 && list.item(i)->isSelected()) --i;
        list.model()->removeRows(i + 1, last - i);
    }
}

}  // namespace folvane::gui
