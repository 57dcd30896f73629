#pragma once

#include "params/parameter_set.h"

#include <chrono>

namespace teb {

// Every control of the "Config" dialog that its model reads or changes, top
// to bottom. The byte cells and fix switches of pages 1 and 2 come in runs of
// 16: use the functions below.
enum class ConfigControl : int {
    NameList,  // editable drop-down list of the set names
    SaveButton,
    DeleteButton,
    SaveNote,  // what the last "Save" saved where, or why it saved nothing
    // "Work order Setup"
    OperatorBadgeId,
    PartNumber,
    WorkOrderNumber,
    Quantity,
    // "Data Source"
    DecimalCounterSwitch,
    CsvFileSwitch,
    CsvFileCompleteSwitch,
    FixDataSwitch,
    CsvFileDisplay,
    CsvOpenButton,
    // "Transponder type"
    TiSwitch,
    OrvexSwitch,
    // "SEMI E99 Carrier ID Setup"
    FillButton,  // "Fill data acc. SEMI E99"
    CarrierIdOffset,
    CarrierIdLength,
    CarrierId,
    MemoryPage,
    LockCarrierIdSwitch,
    // "Carrier ID": page switches of pages 1 and 2
    EditPage1Switch,
    LockPage1Switch,
    EditPage2Switch,
    LockPage2Switch,
    // "Data Area"
    WritePages3To17Switch,
    EditPagesButton,  // "Edit": the pages 3-17 editor
    CounterPageList,  // "Decimal counter on Page"
    AlignmentList,    // "Alignment serial number"
    // bottom
    LogSwitch,
    RecordFileDisplay,
    RecordOpenButton,
    OkButton,
    CancelButton,
    FirstHexCell = 100,    // byte i (0..15) is FirstHexCell + i
    FirstAsciiCell = 200,
    FirstFixSwitch = 300,
};


ConfigControl hexCell(int byte);    // 0 .. 15
ConfigControl asciiCell(int byte);
ConfigControl fixSwitch(int byte);
// The byte of a cell or fix switch; -1 for any other control.
int byteOfHexCell(ConfigControl id);
int byteOfAsciiCell(ConfigControl id);
int byteOfFixSwitch(ConfigControl id);

// The dialog's two one-shot timers.
enum class ConfigTimer { NameChoice, CounterPageChoice };
inline constexpr std::chrono::milliseconds kConfigTimerDelay{500};

} // namespace teb
