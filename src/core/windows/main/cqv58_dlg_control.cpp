#include "windows/main/cqv58_dlg_control.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <stdexcept>

namespace teb {
namespace {

constexpr std::array kControls = std::to_array<ControlInfo>({
    {Control::SelectAll, ControlKind::SelectionBox, "", "SelectAll"},
    {Control::LabelAll, ControlKind::Label, "all", "LabelAll"},
    {Control::HexSwitch, ControlKind::ImageSwitch, "", "HexSwitch"},
    {Control::LabelHex, ControlKind::Label, "HEX", "LabelHex"},
    {Control::AsciiSwitch, ControlKind::ImageSwitch, "", "AsciiSwitch"},
    {Control::LabelAscii, ControlKind::Label, "ASCII", "LabelAscii"},
    {Control::PageSelect1, ControlKind::SelectionBox, "", "PageSelect1"},
    {Control::PageSelect2, ControlKind::SelectionBox, "", "PageSelect2"},
    {Control::PageSelect3, ControlKind::SelectionBox, "", "PageSelect3"},
    {Control::PageSelect4, ControlKind::SelectionBox, "", "PageSelect4"},
    {Control::PageSelect5, ControlKind::SelectionBox, "", "PageSelect5"},
    {Control::PageSelect6, ControlKind::SelectionBox, "", "PageSelect6"},
    {Control::PageSelect7, ControlKind::SelectionBox, "", "PageSelect7"},
    {Control::PageSelect8, ControlKind::SelectionBox, "", "PageSelect8"},
    {Control::PageSelect9, ControlKind::SelectionBox, "", "PageSelect9"},
    {Control::PageSelect10, ControlKind::SelectionBox, "", "PageSelect10"},
    {Control::PageSelect11, ControlKind::SelectionBox, "", "PageSelect11"},
    {Control::PageSelect12, ControlKind::SelectionBox, "", "PageSelect12"},
    {Control::PageSelect13, ControlKind::SelectionBox, "", "PageSelect13"},
    {Control::PageSelect14, ControlKind::SelectionBox, "", "PageSelect14"},
    {Control::PageSelect15, ControlKind::SelectionBox, "", "PageSelect15"},
    {Control::PageSelect16, ControlKind::SelectionBox, "", "PageSelect16"},
    {Control::PageSelect17, ControlKind::SelectionBox, "", "PageSelect17"},
    {Control::PageLabel1, ControlKind::Label, "P1", "PageLabel1"},
    {Control::PageLabel2, ControlKind::Label, "P2", "PageLabel2"},
    {Control::PageLabel3, ControlKind::Label, "P3", "PageLabel3"},
    {Control::PageLabel4, ControlKind::Label, "P4", "PageLabel4"},
    {Control::PageLabel5, ControlKind::Label, "P5", "PageLabel5"},
    {Control::PageLabel6, ControlKind::Label, "P6", "PageLabel6"},
    {Control::PageLabel7, ControlKind::Label, "P7", "PageLabel7"},
    {Control::PageLabel8, ControlKind::Label, "P8", "PageLabel8"},
    {Control::PageLabel9, ControlKind::Label, "P9", "PageLabel9"},
    {Control::PageLabel10, ControlKind::Label, "P10", "PageLabel10"},
    {Control::PageLabel11, ControlKind::Label, "P11", "PageLabel11"},
    {Control::PageLabel12, ControlKind::Label, "P12", "PageLabel12"},
    {Control::PageLabel13, ControlKind::Label, "P13", "PageLabel13"},
    {Control::PageLabel14, ControlKind::Label, "P14", "PageLabel14"},
    {Control::PageLabel15, ControlKind::Label, "P15", "PageLabel15"},
    {Control::PageLabel16, ControlKind::Label, "P16", "PageLabel16"},
    {Control::PageLabel17, ControlKind::Label, "P17", "PageLabel17"},
    {Control::PageBox1, ControlKind::EditBox, "", "PageBox1"},
    {Control::PageBox2, ControlKind::EditBox, "", "PageBox2"},
    {Control::PageBox3, ControlKind::EditBox, "", "PageBox3"},
    {Control::PageBox4, ControlKind::EditBox, "", "PageBox4"},
    {Control::PageBox5, ControlKind::EditBox, "", "PageBox5"},
    {Control::PageBox6, ControlKind::EditBox, "", "PageBox6"},
    {Control::PageBox7, ControlKind::EditBox, "", "PageBox7"},
    {Control::PageBox8, ControlKind::EditBox, "", "PageBox8"},
    {Control::PageBox9, ControlKind::EditBox, "", "PageBox9"},
    {Control::PageBox10, ControlKind::EditBox, "", "PageBox10"},
    {Control::PageBox11, ControlKind::EditBox, "", "PageBox11"},
    {Control::PageBox12, ControlKind::EditBox, "", "PageBox12"},
    {Control::PageBox13, ControlKind::EditBox, "", "PageBox13"},
    {Control::PageBox14, ControlKind::EditBox, "", "PageBox14"},
    {Control::PageBox15, ControlKind::EditBox, "", "PageBox15"},
    {Control::PageBox16, ControlKind::EditBox, "", "PageBox16"},
    {Control::PageBox17, ControlKind::EditBox, "", "PageBox17"},
    {Control::PageNote1, ControlKind::Label, "Carrier ID 1", "PageNote1"},
    {Control::PageNote2, ControlKind::Label, "Carrier ID 2", "PageNote2"},
    {Control::PageNote3, ControlKind::Label, "user free", "PageNote3"},
    {Control::PageNote4, ControlKind::Label, "user free", "PageNote4"},
    {Control::PageNote5, ControlKind::Label, "user free", "PageNote5"},
    {Control::PageNote6, ControlKind::Label, "user free", "PageNote6"},
    {Control::PageNote7, ControlKind::Label, "user free", "PageNote7"},
    {Control::PageNote8, ControlKind::Label, "user free", "PageNote8"},
    {Control::PageNote9, ControlKind::Label, "user free", "PageNote9"},
    {Control::PageNote10, ControlKind::Label, "user free", "PageNote10"},
    {Control::PageNote11, ControlKind::Label, "user free", "PageNote11"},
    {Control::PageNote12, ControlKind::Label, "user free", "PageNote12"},
    {Control::PageNote13, ControlKind::Label, "user free", "PageNote13"},
    {Control::PageNote14, ControlKind::Label, "user free", "PageNote14"},
    {Control::PageNote15, ControlKind::Label, "user free", "PageNote15"},
    {Control::PageNote16, ControlKind::Label, "user free", "PageNote16"},
    {Control::PageNote17, ControlKind::Label, "user free", "PageNote17"},
    {Control::AutomaticFrame, ControlKind::Frame, "", "AutomaticFrame"},
    {Control::AutomaticSwitch, ControlKind::ImageSwitch, "", "AutomaticSwitch"},
    {Control::LabelConfig, ControlKind::Label, "Config", "LabelConfig"},
    {Control::SetNameLabel, ControlKind::Label, "", "SetNameLabel"},
    {Control::LabelCarrierId, ControlKind::Label, "Carrier ID", "LabelCarrierId"},
    {Control::NextBox, ControlKind::EditBox, "", "NextBox"},
    {Control::NextSpin, ControlKind::SpinButton, "", "NextSpin"},
    {Control::LabelNext, ControlKind::Label, "next", "LabelNext"},
    {Control::MaxBox, ControlKind::EditBox, "", "MaxBox"},
    {Control::MaxSpin, ControlKind::SpinButton, "", "MaxSpin"},
    {Control::LabelMax, ControlKind::Label, "max", "LabelMax"},
    {Control::OneButton, ControlKind::Button, "  One", "OneButton"},
    {Control::ContOnButton, ControlKind::Button, "  Cont On", "ContOnButton"},
    {Control::ResultVerdict, ControlKind::Label, "", "ResultVerdict"},
    {Control::ResultIdentity, ControlKind::Label, "", "ResultIdentity"},
    {Control::ResultReason, ControlKind::Label, "", "ResultReason"},
    {Control::ProgressLabel, ControlKind::Label, "", "ProgressLabel"},
    {Control::StopButton, ControlKind::Button, "Stop", "StopButton"},
    {Control::NextDataSetButton, ControlKind::Command, "NextDataSet", "NextDataSetButton"},
    {Control::CurrentDataSetProcessedButton, ControlKind::Command, "CurrentDataSetProcessed", "CurrentDataSetProcessedButton"},
    {Control::NextCompleteButton, ControlKind::Command, "NextComplete", "NextCompleteButton"},
    {Control::NextCompleteProcessedButton, ControlKind::Command, "NextCompleteProcessed", "NextCompleteProcessedButton"},
    {Control::ManualFrame, ControlKind::Frame, "", "ManualFrame"},
    {Control::ManualSwitch, ControlKind::ImageSwitch, "", "ManualSwitch"},
    {Control::LabelManual, ControlKind::Label, "Manual", "LabelManual"},
    {Control::ReadButton, ControlKind::Button, "  read", "ReadButton"},
    {Control::WriteButton, ControlKind::Button, "  write", "WriteButton"},
    {Control::LockButton, ControlKind::Button, "  lock", "LockButton"},
    {Control::DefaultMemoryButton, ControlKind::Button, "  default memory content", "DefaultMemoryButton"},
    {Control::LabelManualCarrierIdOffset, ControlKind::Label, "  Carrier ID Offset", "LabelManualCarrierIdOffset"},
    {Control::ManualCarrierIdOffsetBox, ControlKind::EditBox, "", "ManualCarrierIdOffsetBox"},
    {Control::LabelManualCarrierIdLength, ControlKind::Label, "  Carrier ID Length", "LabelManualCarrierIdLength"},
    {Control::ManualCarrierIdLengthBox, ControlKind::EditBox, "", "ManualCarrierIdLengthBox"},
    {Control::LabelManualCarrierId, ControlKind::Label, "  Carrier ID", "LabelManualCarrierId"},
    {Control::ManualCarrierIdBox, ControlKind::EditBox, "", "ManualCarrierIdBox"},
    {Control::ReadCarrierIdButton, ControlKind::Button, "  read carrier ID", "ReadCarrierIdButton"},
    {Control::WriteCarrierIdButton, ControlKind::Button, "  write carrier ID", "WriteCarrierIdButton"},
    {Control::ReadUidButton, ControlKind::Button, "  read UID", "ReadUidButton"},
    {Control::UidBox, ControlKind::EditBox, "", "UidBox"},
    {Control::LabelTransponderType, ControlKind::Label, " Transponder type", "LabelTransponderType"},
    {Control::LabelTi, ControlKind::Label, "  TI Multipage", "LabelTi"},
    {Control::TiSwitch, ControlKind::Switch, "", "TiSwitch"},
    {Control::LabelOrvex, ControlKind::Label, "  Orvex Multipage", "LabelOrvex"},
    {Control::OrvexSwitch, ControlKind::Switch, "", "OrvexSwitch"},
    {Control::LabelLog, ControlKind::Label, "Log", "LabelLog"},
    {Control::LogSwitch, ControlKind::Switch, "", "LogSwitch"},
    {Control::LogFileLabel, ControlKind::Label, "", "LogFileLabel"},
    {Control::OpenButton, ControlKind::Button, "Open", "OpenButton"},
    {Control::TerminalFrame, ControlKind::Frame, "", "TerminalFrame"},
    {Control::LabelTerminal, ControlKind::Label, "Terminal", "LabelTerminal"},
    {Control::TerminalInput, ControlKind::EditBox, "", "TerminalInput"},
    {Control::SendButton, ControlKind::Button, "Send", "SendButton"},
    {Control::TerminalView, ControlKind::TextView, "", "TerminalView"},
    {Control::LabelTrace, ControlKind::Label, "Trace", "LabelTrace"},
    {Control::TraceSwitch, ControlKind::Switch, "", "TraceSwitch"},
    {Control::SaveTraceButton, ControlKind::Button, "Save trace", "SaveTraceButton"},
    {Control::TraceView, ControlKind::TextView, "", "TraceView"},
    {Control::StatusPort, ControlKind::Label, "", "StatusPort"},
    {Control::StatusReader, ControlKind::Label, "", "StatusReader"},
    {Control::StatusJob, ControlKind::Label, "", "StatusJob"},
    {Control::SmallImage, ControlKind::Image, "", "SmallImage"},
    {Control::DefaultButton, ControlKind::Command, "", "DefaultButton"},
    {Control::CancelButton, ControlKind::Command, "", "CancelButton"},
});

constexpr bool tableFollowsEnumOrder()
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (static_cast<std::size_t>(kControls[i].id) != i)
            return false;
    }
    return true;
}
static_assert(tableFollowsEnumOrder(), "one row per control, in the order of the enum");
static_assert(kControls.back().id == Control::CancelButton, "every control has its row");

Control pageControl(Control first, int page)
{
    if (page < 1 || page > kPageCount)
        throw std::out_of_range("page number outside 1 .. 17");
    return static_cast<Control>(static_cast<int>(first) + page - 1);
}

std::optional<int> pageInRange(Control first, Control id)
{
    const int offset = static_cast<int>(id) - static_cast<int>(first);
    if (offset < 0 || offset >= kPageCount)
        return std::nullopt;
    return offset + 1;
}

} // namespace

bool controlAccepts(ControlKind kind, ControlOperation operation)
{
    using K = ControlKind;
    const auto oneOf = [kind](std::initializer_list<ControlKind> kinds) {
        return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
    };
    switch (operation) {
    case ControlOperation::Text: return oneOf({K::Label, K::EditBox, K::TextView, K::Button});
    case ControlOperation::Check: return oneOf({K::Switch, K::SelectionBox});
    case ControlOperation::EnableOrShow: return kind != K::Command;
    case ControlOperation::Colour: return oneOf({K::Label, K::EditBox, K::TextView});
    case ControlOperation::SwitchImage: return oneOf({K::Switch, K::ImageSwitch, K::SelectionBox});
    case ControlOperation::Focus:
        return oneOf({K::EditBox, K::TextView, K::Button, K::Switch, K::ImageSwitch, K::SelectionBox, K::SpinButton});
    case ControlOperation::SelectText: return kind == K::EditBox;
    }
    return false;
}

const ControlInfo &controlInfo(Control id) { return kControls.at(static_cast<std::size_t>(id)); }
std::size_t controlCount() { return kControls.size(); }
Control controlAt(std::size_t index) { return kControls.at(index).id; }

Control pageSelectBox(int page) { return pageControl(Control::PageSelect1, page); }
Control pageLabel(int page) { return pageControl(Control::PageLabel1, page); }
Control pageBox(int page) { return pageControl(Control::PageBox1, page); }
Control pageNote(int page) { return pageControl(Control::PageNote1, page); }

std::optional<int> pageOfPageBox(Control id) { return pageInRange(Control::PageBox1, id); }
std::optional<int> pageOfSelectBox(Control id) { return pageInRange(Control::PageSelect1, id); }

} // namespace teb
