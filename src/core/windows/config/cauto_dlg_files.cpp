// The "Config" dialog's files: the CSV and record file choices, "Save",
// "Delete", and the pages 3-17 editor.
#include "windows/config/cauto_dlg.h"
#include "params/parameter_set_file.h"

namespace teb {
namespace {

constexpr std::string_view kCsvFilter = "CSV files (*.csv)|*.csv||";
constexpr std::string_view kXmlFilter = "XML files (*.xml)|*.xml||";
constexpr Rgb kSavedNoteColour = Rgb::fromComponents(0, 110, 50);
constexpr Rgb kNotSavedNoteColour = Rgb::fromComponents(160, 20, 20);

// A file dialog starts from the current file, or in the working directory.
FileDialogRequest fileRequest(FileDialogMode mode, const std::string &current, const std::filesystem::path &directory,
                              std::string_view extension, std::string_view filter)
{
    FileDialogRequest request;
    request.mode = mode;
    const std::filesystem::path currentPath(current);
    request.initialDirectory = current.empty() || currentPath.parent_path().empty() ? directory : currentPath.parent_path();
    request.initialFileName = currentPath.filename();
    request.defaultExtension = std::string(extension);
    request.filter = std::string(filter);
    request.promptOverwrite = mode == FileDialogMode::Save;
    request.mustExist = mode == FileDialogMode::Open;
    return request;
}

MessageRequest errorMessage(std::string_view text)
{
    return {std::string(text), std::string(kMessageCaption), MessageIcon::Stop, MessageButtons::Ok};
}

} // namespace

void CAutoDlg::showPaths()
{
    m_view->setText(ConfigControl::CsvFileDisplay, shortenedPath(m_set.csvFileName));
    m_view->setText(ConfigControl::RecordFileDisplay, shortenedPath(m_set.recordFileName));
}

void CAutoDlg::openCsvFile()
{
    takeFromControls();
    const std::optional<std::filesystem::path> chosen =
        m_view->chooseFile(fileRequest(FileDialogMode::Open, m_set.csvFileName, m_directory, "csv", kCsvFilter));
    if (!chosen)
        return;
    m_set.csvFileName = chosen->string();
    if (isCsvSource(source()) && m_set.csvFileName.size() >= 3)
        m_set.recordFileName = m_set.csvFileName.substr(0, m_set.csvFileName.size() - 3) + "xml";
    showPaths();
    disableOk();
}

void CAutoDlg::openRecordFile()
{
    takeFromControls();
    const std::optional<std::filesystem::path> chosen =
        m_view->chooseFile(fileRequest(FileDialogMode::Save, m_set.recordFileName, m_directory, "xml", kXmlFilter));
    if (!chosen)
        return;
    m_set.recordFileName = chosen->empty() ? (m_directory / kDefaultRecordFileName).string() : chosen->string();
    showPaths();
    disableOk();
}

void CAutoDlg::save()
{
    finishPendingChoices();
    takeFromControls();
    m_savePressed = true;
    // A faulty cell is refused before the carrier ID is placed, so that
    // placing it never hides what the operator typed.
    std::string refusal;
    if (refused(&refusal)) {
        showSaveNote(notSavedNote(refusal), false);
        return;
    }
    carrierIdIntoPages();
    showInControls();
    // With no data source the editor shows a decimal counter while the
    // station would program fixed data: the same ID on every tag.
    if (!hasCarrierIdSource(m_set)) {
        warn(kNoDataSourceMessage);
        showSaveNote(notSavedNote(kNoDataSourceMessage), false);
        return;
    }
    const SaveOutcome outcome = saveParameterSet(m_directory, m_set, m_setList, [this] {
        return m_view->showMessage({std::string(kOverwriteQuestion), std::string(kMessageCaption), MessageIcon::Question,
                                   MessageButtons::YesNo})
               == MessageAnswer::Yes;
    });
    for (const std::string_view message : saveOutcomeMessages(outcome))
        m_view->showMessage(errorMessage(message));
    showSaveNote(saveNote(outcome, m_set.name, setFilePath(m_directory, m_set.name)), outcome == SaveOutcome::Saved);
    if (outcome == SaveOutcome::Saved) {
        m_saved = true;
        m_runningSetSaved = m_runningSetSaved || m_set.name == m_input.currentSetName;
        m_okAllowed = true;
        fillLists();
        warnOfFixedDataPages();
    }
    showCloseButtons();
}

void CAutoDlg::showSaveNote(const std::string &text, bool saved)
{
    m_view->setText(ConfigControl::SaveNote, text);
    const Rgb background = text.empty() ? colour::Black : saved ? kSavedNoteColour : kNotSavedNoteColour;
    m_view->setBackground(ConfigControl::SaveNote, background);
}

void CAutoDlg::deleteName()
{
    takeFromControls();
    removeSetName(m_setList, m_set.name);
    m_set.name.clear();
    fillLists();
}

void CAutoDlg::editPages3To17()
{
    finishPendingChoices();
    takeFromControls();
    auto_2 pagesEditor({m_set.pages, m_asciiFormat, m_set.counterPage, m_set.counterValue});
    if (m_view->runPagesEditor(pagesEditor) != DialogResult::Ok || !pagesEditor.accepted())
        return;
    const PagesEditorData &edited = pagesEditor.data();
    for (int pageNumber = kFirstPagesEditorPage; pageNumber <= kPageCount; ++pageNumber) {
        PageSetting &target = page(pageNumber);
        const PageSetting &source = edited.pages[static_cast<std::size_t>(pageNumber - 1)];
        target.hex = source.hex;
        target.ascii = source.ascii;
        target.editable = source.editable;
        target.locked = source.locked;
        if (target.editable)
            m_set.writePages3To17 = true;
    }
    m_asciiFormat = edited.asciiFormat;
    m_set.counterPage = edited.counterPage;
    m_set.counterValue = edited.counterValue;
    showInControls();
}

} // namespace teb
