#pragma once

#include "params/carrier_id_window.h"
#include "windows/config/cauto_dlg_view.h"
#include "windows/config/config_editor_io.h"
#include "params/new_parameter_set.h"
#include "params/set_refusal.h"
#include "params/parameter_set.h"
#include "params/parameter_set_save.h"
#include "params/set_list.h"

#include <array>
#include <filesystem>
#include <string>

namespace teb {

inline constexpr std::string_view kNoDataSourceMessage =
    "This parameter set has no data source.\r\n"
    "Choose \"Decimal counter\", \".csv file\", \".csv file complete\" or \"fix data\" before saving it.";
inline constexpr std::string_view kUnsavedNameQuestion =
    "This parameter set has not been saved.\r\n"
    "Save it now? \"No\" keeps the current parameter set.";
// Fixed data goes onto every transponder as it stands, and "Config" selects
// pages 1 and 2 for writing: every carrier would read as the same one.
inline constexpr std::string_view kFixedDataPagesWarning =
    "With fixed data every transponder gets the same bytes in pages 1 and 2 (its carrier ID), "
    "unless they are changed in the main window before each one.\r\n"
    "Choose another data source when every carrier needs a carrier ID of its own.";
inline constexpr std::string_view kDefaultRecordFileName = "qv58_record.xml";
inline constexpr std::size_t kLongestShownPath = 85;

// A path as the dialog's displays show it: a path longer than 85 characters
// as "..." and its last 85.
std::string shortenedPath(std::string_view path);

// The "Config" dialog: one parameter set at a time, its pages 1 and 2 kept in
// step with where the carrier ID lies. It works on copies of the main
// window's set and set list and hands them back only on "OK".
class CAutoDlg {
public:
    explicit CAutoDlg(ConfigEditorInput input);
    CAutoDlg(const CAutoDlg &) = delete;
    CAutoDlg &operator=(const CAutoDlg &) = delete;

    // Opens the dialog on the view and runs it until "OK" or "Cancel";
    // result() then holds what it hands back.
    DialogResult run(CAutoDlgView &view);
    // Fills the view's controls: the first step of run. The view must
    // outlive every later call.
    void open(CAutoDlgView &view);

    // --- the view's reports
    void clicked(ConfigControl id);           // buttons and switches
    void enterPressed(ConfigControl id);      // Enter in a text field or cell
    void tabPressed(ConfigControl id);        // Tab in a text field or cell
    void focusLost(ConfigControl id);         // a text field lost the focus to another control
    void fieldEdited(ConfigControl id);       // the operator changed a text field's text
    void selectionChanged(ConfigControl id);  // an entry chosen in "Name" or "Decimal counter on Page"
    void timerFired(ConfigTimer timer);

    // --- operations
    void chooseDataSource(CarrierIdSource source);
    void checkCarrierId();
    void fillCarrierId();  // "Fill data acc. SEMI E99"
    void save();
    void deleteName();
    void editPages3To17();
    void openCsvFile();
    void openRecordFile();
    void ok();
    void cancel();

    void takeFromControls();
    void showInControls();

    // --- state
    const ParameterSet &set() const { return m_set; }  // set().name is the "Name" field
    const SetList &setList() const { return m_setList; }
    bool okAllowed() const { return m_okAllowed; }
    bool cellsValid() const;
    const ConfigEditorResult &result() const { return m_result; }

private:
    // opening and loading
    void loadSet(const std::string &name, bool keepHandedInValues);
    void fillLists();
    void finishPendingChoices();
    void stopTimers();
    // bytes of pages 1 and 2
    void carrierIdIntoPages(bool sourceChosen = false);
    void markWindow(const CarrierIdWindow &window);
    void cellEdited(int byte);
    void takeTypedByte(int byte, const ByteTexts &texts);
    void carrierIdFromWindow();
    bool isValidByte(int byte) const;
    void cellConfirmed(ConfigControl id);
    void showByteColours();
    void showCells();
    ByteTexts byteTexts(int byte) const;
    void setByteTexts(int byte, const ByteTexts &texts);
    // switches and states
    void showSwitches();
    void showMemoryMap();
    void showSourceStates();
    void setFieldEnabled(ConfigControl id, bool enabled);
    void flipSwitch(ConfigControl id);
    void lockCarrierIdClicked();
    void lockPageClicked(int page);
    void logClicked();
    void familyClicked(bool ti);
    void counterPageChosen();
    void showPaths();
    void showCloseButtons();
    void disableOk();
    bool refused(std::string *reason = nullptr);
    void showSaveNote(const std::string &text, bool saved);
    bool isSavedName(const std::string &name) const;
    bool isRunningSet(const std::string &name) const;
    bool askedToSave();
    void warn(std::string_view text);
    void warnOfFixedDataPages();
    // focus
    bool moveFocusFrom(ConfigControl id);
    bool isCarrierIdField(ConfigControl id) const;

    PageSetting &page(int pageNumber) { return m_set.pages[static_cast<std::size_t>(pageNumber - 1)]; }
    CarrierIdSource source() const { return carrierIdSourceOf(m_set); }
    bool withDecimalCounter() const { return source() == CarrierIdSource::DecimalCounter; }

    CAutoDlgView *m_view = nullptr;
    ConfigEditorInput m_input;
    std::filesystem::path m_directory;
    ParameterSet m_set;
    SetList m_setList;
    bool m_asciiFormat = false;
    bool m_saved = false;
    bool m_savePressed = false;
    bool m_runningSetSaved = false; // the main window's current set was saved here
    bool m_okAllowed = true;
    bool m_nameChoicePending = false;
    bool m_counterPageChoicePending = false;
    bool m_checking = false;  // a check's message box takes the focus from its field
    bool m_fixedDataWarned = false; // for the set shown, since it was loaded
    // Bytes of pages 1 and 2 that the operator typed as something other than
    // a decimal digit: faulty while they lie in the decimal counter's window.
    std::array<bool, kCarrierIdPageBytes> m_typedNonDigit{};
    ConfigEditorResult m_result;
};

} // namespace teb
