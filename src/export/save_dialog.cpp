#include "export/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>

#include "shell/controls.h"
#include "shell/qt_text.h"

namespace {

struct FileType {
    QString nameFilter;  // as the dialog lists it
    QString extension;   // of the first pattern, without the dot
};

// "文本文件(*.txt)|*.txt" gives one type; every "|" separates two items and an
// empty item ends the list.
QList<FileType> ParseFilter(const QString& filter) {
    QList<FileType> types;
    const QStringList items = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        const QString& description = items[i];
        if (description.isEmpty()) break;
        const QString patterns = QString(items[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')).simplified();
        FileType type;
        // The dialog reads the patterns from a closing "(...)"; keep a
        // description that already ends so, as "文本文件(*.txt)" does.
        type.nameFilter = description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                              ? description
                              : description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        const QString first = patterns.section(QLatin1Char(' '), 0, 0);
        if (first.startsWith(QStringLiteral("*."))) {
            const QString extension = first.mid(2);
            if (!extension.contains(QRegularExpression(QStringLiteral("[*?\\[]")))) type.extension = extension;
        }
        types.append(type);
    }
    return types;
}

QString StartingFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

// The toolkit's dialog accepts a name in a folder that does not exist; this
// one says so and stays open.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* owner, bool pathMustExist) : QFileDialog(owner), pathMustExist_(pathMustExist) {}

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (pathMustExist_ && !chosen.isEmpty()) {
            const QFileInfo file(chosen.first());
            if (!file.isDir() && !QFileInfo(file.absolutePath()).isDir()) {
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("文件夹“%1”不存在。\n请选择一个已有的文件夹。")
                                         .arg(QDir::toNativeSeparators(file.absolutePath())));
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    bool pathMustExist_;
};

}  // namespace

bool ShowFileDialog(std::string_view fileDialog) {
    FileDialogSettings settings;
    if (!ReadDialogSettings(fileDialog, settings)) return false;

    SaveDialog dialog(DialogOwner(), settings.pathMustExist);
    // The toolkit's own dialog, the same on a bare X server and under any
    // desktop theme.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(settings.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(settings.save || !settings.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.promptOverwrite);
    if (!settings.title.empty()) dialog.setWindowTitle(ToQString(settings.title));

    const QList<FileType> types = ParseFilter(ToQString(settings.filter));
    if (!types.isEmpty()) {
        QStringList filters;
        for (const FileType& type : types) filters << type.nameFilter;
        dialog.setNameFilters(filters);
        const FileType& preselected = types[qBound(0, settings.filterIndex, static_cast<int>(types.size()) - 1)];
        dialog.selectNameFilter(preselected.nameFilter);
        if (!settings.defaultExtension.empty()) dialog.setDefaultSuffix(preselected.extension);
    }

    const QString fileName = ToQString(settings.fileName);
    const QString folder = ToQString(settings.initialDirectory);
    dialog.setDirectory(!folder.isEmpty() ? folder : StartingFolder());
    if (!fileName.isEmpty()) dialog.selectFile(fileName);

    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    // Read again: the window may have changed the settings meanwhile.
    if (!ReadDialogSettings(fileDialog, settings)) return false;
    settings.fileName = ToText(QFileInfo(chosen.first()).absoluteFilePath());
    return WriteDialogSettings(fileDialog, settings);
}
