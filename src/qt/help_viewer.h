// The help: an HTML page shipped beside the program, shown in a window of
// its own at the topic a keyword names, as a help system would.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace folvane::gui {

class HelpViewer : public QDialog {
    Q_OBJECT

  public:
    explicit HelpViewer(QWidget* owner);

    // Loads `file` and scrolls to the topic `keyword` names (the top when
    // the page has no such topic); false when the file cannot be read,
    // with the system's reason in `reason` when given.
    bool showTopic(const QString& file, const QString& keyword, QString* reason = nullptr);

    QTextBrowser* browser() const { return browser_; }
    // The topic shown last; empty when the keyword named none.
    QString topic() const { return topic_; }

  private:
    QTextBrowser* browser_ = nullptr;
    QString topic_;
};

// The help file's place: beside the program.
QString DefaultHelpFile();

}  // namespace folvane::gui
