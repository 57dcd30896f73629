#include "file_dialog.h"

#include "qt_text.h"

#include <QFileDialog>

namespace teb::gui {

QString qtFilterOf(const std::string &filter)
{
    const QStringList parts = fromLatin1(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        // Qt reads the patterns from the parentheses of the name.
        const QString pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
        const bool patternShown = parts[i].contains(QLatin1Char('('));
        names << (patternShown || pattern.isEmpty() ? parts[i] : parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return names.join(QStringLiteral(";;"));
}

std::optional<std::filesystem::path> runFileDialog(const FileDialogRequest &request, QWidget *parent)
{
    const bool saving = request.mode == FileDialogMode::Save;
    QFileDialog dialog(parent);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving || !request.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QFileDialog::Options options;
    if (!request.promptOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    // Qt's dialogs offer no "open read-only" choice, so hideReadOnly always holds.
    dialog.setOptions(options);
    if (!request.initialDirectory.empty())
        dialog.setDirectory(fromPath(request.initialDirectory));
    if (!request.initialFileName.empty())
        dialog.selectFile(fromPath(request.initialFileName));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(fromLatin1(request.defaultExtension));
    if (!request.filter.empty())
        dialog.setNameFilter(qtFilterOf(request.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

} // namespace teb::gui
