#include "qt_cqv58_dlg_layout.h"

#include <optional>

namespace teb::gui {
namespace {

constexpr int kGridTop = 32;   // the first page row
constexpr int kRowPitch = 23;

QRect pageRow(int page, int x, int width, int dy, int height)
{
    return QRect(x, kGridTop + (page - 1) * kRowPitch + dy, width, height);
}

std::optional<QRect> pageGridPlacement(Control id)
{
    const int index = static_cast<int>(id);
    const auto within = [index](Control first) {
        const int page = index - static_cast<int>(first) + 1;
        return page >= 1 && page <= kPageCount ? page : 0;
    };
    if (const int page = within(Control::PageSelect1))
        return pageRow(page, 8, 18, 1, 18);
    if (const int page = within(Control::PageLabel1))
        return pageRow(page, 30, 30, 0, 20);
    if (const int page = within(Control::PageBox1))
        return pageRow(page, 64, 228, -1, 22);
    if (const int page = within(Control::PageNote1))
        return pageRow(page, 296, 84, 0, 20);
    return std::nullopt;
}

} // namespace

QRect placementOf(Control id)
{
    if (const auto page = pageGridPlacement(id))
        return *page;
    switch (id) {
    // page grid header
    case Control::SelectAll: return {8, 7, 18, 18};
    case Control::LabelAll: return {30, 6, 30, 20};
    case Control::HexSwitch: return {90, 7, 36, 18};
    case Control::LabelHex: return {130, 6, 40, 20};
    case Control::AsciiSwitch: return {182, 7, 36, 18};
    case Control::LabelAscii: return {222, 6, 48, 20};
    case Control::SmallImage: return {296, 5, 82, 22};
    // automatic group
    case Control::AutomaticFrame: return {388, 12, 404, 128};
    case Control::AutomaticSwitch: return {398, 3, 36, 18};
    case Control::LabelConfig: return {438, 2, 60, 20};
    case Control::SetNameLabel: return {396, 28, 388, 20};
    case Control::LabelCarrierId: return {396, 54, 146, 20};
    case Control::NextBox: return {396, 78, 146, 22};
    case Control::NextSpin: return {543, 78, 16, 22};
    case Control::LabelNext: return {564, 79, 44, 20};
    case Control::MaxBox: return {396, 106, 146, 22};
    case Control::MaxSpin: return {543, 106, 16, 22};
    case Control::LabelMax: return {564, 107, 44, 20};
    case Control::OneButton: return {630, 54, 154, 42};
    case Control::ContOnButton: return {630, 100, 154, 30};
    // the last cycle's result, where automatic mode hides the manual group's controls
    case Control::ResultVerdict: return {396, 170, 388, 96};
    case Control::ResultIdentity: return {396, 272, 388, 26};
    case Control::ResultReason: return {396, 300, 388, 56};
    case Control::ProgressLabel: return {396, 362, 236, 30};
    case Control::StopButton: return {640, 362, 144, 30};
    // manual group
    case Control::ManualFrame: return {388, 152, 404, 248};
    case Control::ManualSwitch: return {398, 143, 36, 18};
    case Control::LabelManual: return {438, 142, 60, 20};
    case Control::ReadButton: return {396, 168, 158, 24};
    case Control::WriteButton: return {396, 196, 158, 24};
    case Control::LockButton: return {396, 224, 158, 24};
    case Control::DefaultMemoryButton: return {396, 252, 158, 24};
    case Control::LabelManualCarrierIdOffset: return {560, 170, 118, 20};
    case Control::ManualCarrierIdOffsetBox: return {682, 169, 102, 22};
    case Control::LabelManualCarrierIdLength: return {560, 198, 118, 20};
    case Control::ManualCarrierIdLengthBox: return {682, 197, 102, 22};
    case Control::LabelManualCarrierId: return {560, 226, 118, 20};
    case Control::ManualCarrierIdBox: return {682, 225, 102, 22};
    case Control::ReadCarrierIdButton: return {560, 252, 110, 24};
    case Control::WriteCarrierIdButton: return {674, 252, 110, 24};
    case Control::ReadUidButton: return {396, 288, 158, 24};
    case Control::UidBox: return {396, 316, 158, 22};
    case Control::LabelTransponderType: return {560, 290, 224, 20};
    case Control::LabelTi: return {560, 316, 146, 20};
    case Control::TiSwitch: return {712, 316, 40, 20};
    case Control::LabelOrvex: return {560, 342, 146, 20};
    case Control::OrvexSwitch: return {712, 342, 40, 20};
    case Control::LabelLog: return {396, 372, 36, 20};
    case Control::LogSwitch: return {436, 372, 40, 20};
    case Control::LogFileLabel: return {480, 372, 248, 20};
    case Control::OpenButton: return {732, 370, 52, 24};
    // status strip, two rows under the middle groups
    case Control::StatusPort: return {388, 406, 196, 14};
    case Control::StatusReader: return {586, 406, 206, 14};
    case Control::StatusJob: return {388, 420, 404, 14};
    // terminal group
    case Control::TerminalFrame: return {800, 12, 312, 422};
    case Control::LabelTerminal: return {810, 2, 70, 20};
    case Control::LabelTrace: return {890, 2, 44, 20};
    case Control::TraceSwitch: return {938, 2, 40, 20};
    case Control::TerminalInput: return {808, 28, 150, 24};
    case Control::SendButton: return {962, 27, 54, 26};
    case Control::SaveTraceButton: return {1020, 27, 84, 26};
    case Control::TerminalView:
    case Control::TraceView: return {808, 58, 296, 368};
    default: return {};
    }
}

int enterEditClassOf(Control id)
{
    if (const auto page = pageOfPageBox(id))
        return *page;
    switch (id) {
    case Control::ManualCarrierIdOffsetBox: return 18;
    case Control::ManualCarrierIdLengthBox: return 19;
    case Control::ManualCarrierIdBox: return 20;
    case Control::UidBox: return 21;
    default: return 0;
    }
}

} // namespace teb::gui
