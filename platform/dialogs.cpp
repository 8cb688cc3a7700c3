// The open and save panels as Qt's own file dialog: the same dialog on every desktop, so its
// German texts always show and tests can drive it.
#include "platform/platform.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>

namespace platform {

namespace {

QString qstring(const std::string& s) {
    return QString::fromStdString(s);
}

// "txt", "csv" -> "Dateien (*.txt *.csv)"; empty extensions are left out.
QString typesfilter(const std::vector<std::string>& filetypes) {
    QStringList patterns;
    for (const std::string& type : filetypes) {
        if (!type.empty()) {
            patterns << QStringLiteral("*.") + qstring(type);
        }
    }
    return patterns.isEmpty() ? QString()
                              : QStringLiteral("Dateien (%1)").arg(patterns.join(QLatin1Char(' ')));
}

void prepare(QFileDialog& dialog, const std::string& title, const std::string& message) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(qstring(title));
    if (message.empty()) {
        return;
    }
    // The Qt dialog has no message line of its own; it goes below the file list.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(qstring(message), &dialog);
        label->setObjectName(QStringLiteral("message"));
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

// Absolute, percent-encoded URL strings of the chosen locations; nothing when cancelled.
std::vector<std::string> chosenurls(QFileDialog& dialog) {
    std::vector<std::string> urls;
    if (dialog.exec() != QDialog::Accepted) {
        return urls;
    }
    for (const QUrl& url : dialog.selectedUrls()) {
        if (!url.isEmpty()) {
            urls.push_back(url.toEncoded().toStdString());
        }
    }
    return urls;
}

} // namespace

std::vector<std::string> runopenpanel(const OpenPanelSettings& s) {
    QFileDialog dialog;
    prepare(dialog, s.title, s.message);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt chooses either files or folders; files win when both are allowed.
    if (s.choosefiles) {
        dialog.setFileMode(s.multipleselection ? QFileDialog::ExistingFiles
                                               : QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    }
    dialog.setOption(QFileDialog::DontResolveSymlinks, !s.resolvealiases);
    dialog.setLabelText(QFileDialog::Accept, qstring(s.prompt));
    const QString filter = typesfilter(s.filetypes);
    if (!filter.isEmpty()) {
        dialog.setNameFilter(filter);
    }
    return chosenurls(dialog);
}

std::vector<std::string> runsavepanel(const SavePanelSettings& s) {
    QFileDialog dialog;
    prepare(dialog, s.title, s.message);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::Accept, qstring(s.prompt));
    dialog.setLabelText(QFileDialog::FileName, qstring(s.namelabel));
    dialog.setOption(QFileDialog::ReadOnly, !s.cancreatefolders);
    const QString filter = typesfilter(s.filetypes);
    if (!filter.isEmpty()) {
        QStringList filters{filter};
        if (s.allowothertypes) {
            filters << QStringLiteral("Alle Dateien (*)");
        }
        dialog.setNameFilters(filters);
        // A name typed without an extension gets the first allowed one.
        dialog.setDefaultSuffix(qstring(s.filetypes.front()));
    }
    dialog.selectFile(qstring(s.name));
    return chosenurls(dialog);
}

} // namespace platform
