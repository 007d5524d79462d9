#include "window_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "core_outputs.h"
#include "tiff_builder.h"

namespace folvane::test {

namespace {

QByteArray Bytes(const std::string& data) {
    return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
}

}  // namespace

void WhenModalShown(std::function<void(QWidget&)> act) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, before, act = std::move(act)] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr) shown = QApplication::activeModalWidget();
        if (shown == nullptr || shown == before || !shown->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(*shown);
    });
    timer->start();
}

QRect Px(int left, int top, int width, int height) {
    return {(left + 7) / 15, (top + 7) / 15, (width + 7) / 15, (height + 7) / 15};
}

bool WriteTiff(const QString& path, const std::vector<ScanPage>& pages, bool bigEndian) {
    return fixture::WriteFile(path.toStdString(), fixture::BuildScanFile(pages, bigEndian));
}

bool WriteText(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

DisplayOutput CoreDisplayOutput(const std::vector<std::string>& files,
                                const SelectionState& selection, bool withPdf) {
    const testing::DisplayOutput core = testing::CoreDisplayOutput(files, selection, withPdf);
    DisplayOutput output;
    for (const auto& line : core.lines) output.lines.push_back(QString::fromStdString(line));
    output.totals = QString::fromStdString(core.totals);
    return output;
}

QByteArray CoreDisplayFile(const QStringList& lines, const QString& totals) {
    return Bytes(testing::CoreDisplayFile(ToCore(lines), totals.toStdString()));
}

QByteArray CoreDirectFile(const std::vector<std::string>& files, const SelectionState& selection) {
    return Bytes(testing::CoreDirectFile(files, selection));
}

std::unique_ptr<QMimeData> FileDrop(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

std::vector<std::string> ToCore(const QStringList& texts) {
    std::vector<std::string> out;
    for (const QString& text : texts) out.push_back(text.toStdString());
    return out;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace folvane::test
