#pragma once

#include "common/page_layout.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace teb {

// Every control of the main window, named once for the window model and its
// view. The order follows the window from left to right and top to bottom.
enum class Control : int {
    // page grid: header row
    SelectAll,      // "all" selection box
    LabelAll,
    HexSwitch,
    LabelHex,
    AsciiSwitch,
    LabelAscii,
    // page grid: one selection box, label "Pn", page box and note label per page
    PageSelect1,
    PageSelect2,
    PageSelect3,
    PageSelect4,
    PageSelect5,
    PageSelect6,
    PageSelect7,
    PageSelect8,
    PageSelect9,
    PageSelect10,
    PageSelect11,
    PageSelect12,
    PageSelect13,
    PageSelect14,
    PageSelect15,
    PageSelect16,
    PageSelect17,
    PageLabel1,
    PageLabel2,
    PageLabel3,
    PageLabel4,
    PageLabel5,
    PageLabel6,
    PageLabel7,
    PageLabel8,
    PageLabel9,
    PageLabel10,
    PageLabel11,
    PageLabel12,
    PageLabel13,
    PageLabel14,
    PageLabel15,
    PageLabel16,
    PageLabel17,
    PageBox1,
    PageBox2,
    PageBox3,
    PageBox4,
    PageBox5,
    PageBox6,
    PageBox7,
    PageBox8,
    PageBox9,
    PageBox10,
    PageBox11,
    PageBox12,
    PageBox13,
    PageBox14,
    PageBox15,
    PageBox16,
    PageBox17,
    PageNote1,
    PageNote2,
    PageNote3,
    PageNote4,
    PageNote5,
    PageNote6,
    PageNote7,
    PageNote8,
    PageNote9,
    PageNote10,
    PageNote11,
    PageNote12,
    PageNote13,
    PageNote14,
    PageNote15,
    PageNote16,
    PageNote17,   // "Carrier ID 1", "Carrier ID 2", "user free"
    // automatic group
    AutomaticFrame,
    AutomaticSwitch, // the mode switch in the frame's title
    LabelConfig,
    SetNameLabel,
    LabelCarrierId,
    NextBox,
    NextSpin,
    LabelNext,
    MaxBox,
    MaxSpin,
    LabelMax,
    OneButton,
    ContOnButton,
    // the last cycle's result, in automatic mode where the manual group's controls are hidden
    ResultVerdict,   // "PASS" or "FAIL" in large type
    ResultIdentity,  // the carrier ID that went onto the tag and the UID
    ResultReason,    // why it failed, in words
    ProgressLabel,   // "n of N programmed"
    StopButton,      // ends the running operation after its running transaction
    // hidden buttons for internal commands of the data sources
    NextDataSetButton,
    CurrentDataSetProcessedButton,
    NextCompleteButton,
    NextCompleteProcessedButton,
    // manual group
    ManualFrame,
    ManualSwitch,    // the mode switch in the frame's title
    LabelManual,
    ReadButton,
    WriteButton,
    LockButton,
    DefaultMemoryButton,
    LabelManualCarrierIdOffset,
    ManualCarrierIdOffsetBox,
    LabelManualCarrierIdLength,
    ManualCarrierIdLengthBox,
    LabelManualCarrierId,
    ManualCarrierIdBox,
    ReadCarrierIdButton,
    WriteCarrierIdButton,
    ReadUidButton,
    UidBox,
    LabelTransponderType,
    LabelTi,
    TiSwitch,
    LabelOrvex,
    OrvexSwitch,
    LabelLog,
    LogSwitch,
    LogFileLabel,
    OpenButton,
    // terminal group
    TerminalFrame,
    LabelTerminal,
    TerminalInput,
    SendButton,
    TerminalView,
    LabelTrace,
    TraceSwitch,      // the trace instead of the terminal view
    SaveTraceButton,
    TraceView,        // every exchange with the reader, time-stamped, newest first
    // status strip under the middle groups: port, reader, set and journal
    StatusPort,
    StatusReader,
    StatusJob,
    // decoration and the dialog's hidden default and cancel buttons
    SmallImage,
    DefaultButton,
    CancelButton,
};

enum class ControlKind {
    Label,        // static text, white on black unless said otherwise
    EditBox,      // one-line edit box that reports Enter
    TextView,     // multi-line, read-only
    Button,
    Switch,       // checkable toggle button that shows only an on or off image
    ImageSwitch,  // button that shows only an on or off image; never checkable
    SelectionBox, // check box with an on/off image
    SpinButton,   // up and down arrows reported as spin steps
    Frame,
    Image,
    Command,      // no widget: a command reached through the events alone
};

// The kinds of call a view takes for a control.
enum class ControlOperation { Text, Check, EnableOrShow, Colour, SwitchImage, Focus, SelectText };

// Whether a call of this kind fits a control of that kind.
bool controlAccepts(ControlKind kind, ControlOperation operation);

struct ControlInfo {
    Control id;
    ControlKind kind;
    std::string_view caption; // the fixed text the control shows; empty when it has none
    std::string_view name;    // for diagnostics
};

// Position of page n (1 .. 17) in the arrays of 17 per-page values.
inline constexpr std::string_view kWindowTitle = "Tag Encoder Bench";

inline constexpr std::size_t pageIndex(int page) { return static_cast<std::size_t>(page - 1); }

const ControlInfo &controlInfo(Control id);
std::size_t controlCount();
Control controlAt(std::size_t index);

// Controls of page n (1 .. 17).
Control pageSelectBox(int page);
Control pageLabel(int page);
Control pageBox(int page);
Control pageNote(int page);

// The page (1 .. 17) whose page box this is, if it is one.
std::optional<int> pageOfPageBox(Control id);
// The page (1 .. 17) whose selection box this is, if it is one.
std::optional<int> pageOfSelectBox(Control id);

} // namespace teb
