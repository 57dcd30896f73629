#include "windows/interface_settings/ci2_dlg.h"

#include "common/decimal_text.h"
#include "windows/interface_settings/combo_list.h"
#include "reader/interface_settings_texts.h"

#include <utility>

namespace teb {
namespace {

// Shows `text` in the combo box: the first entry that begins with it is
// selected, else the text stands as typed.
void showText(CI2DlgView &view, I2Combo combo, const std::vector<std::string> &entries,
              const std::string &text)
{
    view.setComboEntries(combo, entries);
    if (const auto index = firstEntryBeginningWith(entries, text))
        view.selectComboEntry(combo, *index);
    else
        view.setComboText(combo, text);
}

} // namespace

CI2Dlg::CI2Dlg(PortListSource portListSource) : m_portListSource(std::move(portListSource)) {}

void CI2Dlg::fillFrom(const InterfaceSettings &settings)
{
    portText = settings.portName;
    baudRateText = formatDecimal(settings.baudRate);
    dataBitsText = formatDecimal(settings.dataBits);
    parityText = teb::parityText(settings.parityCode);
    stopBitsText = teb::stopBitsText(settings.stopBitsCode);
    flowControlText = teb::flowControlText(settings.flowControlCode);
}

void CI2Dlg::applyTo(InterfaceSettings &settings) const
{
    settings.portName = portText;
    settings.baudRate = readDecimalClamped(baudRateText, INT32_MIN, INT32_MAX);
    settings.dataBits = readDecimalClamped(dataBitsText, INT32_MIN, INT32_MAX);
    settings.parityCode = parityCodeFromText(parityText);
    settings.stopBitsCode = stopBitsCodeFromText(stopBitsText);
    settings.flowControlCode = flowControlCodeFromText(flowControlText);
}

CI2DlgView::Result CI2Dlg::run(CI2DlgView &view)
{
    onInitDialog(view);
    const CI2DlgView::Result result = view.runModal();
    if (result == CI2DlgView::Result::Ok)
        takeFromView(view);
    return result;
}

void CI2Dlg::onInitDialog(CI2DlgView &view)
{
    portList = m_portListSource ? m_portListSource() : std::vector<std::string>{};
    sortLikeListBox(portList);
    showText(view, I2Combo::Port, portList, portText);
    showText(view, I2Combo::BaudRate, baudRateEntries(), baudRateText);
    showText(view, I2Combo::DataBits, dataBitsEntries(), dataBitsText);
    showText(view, I2Combo::Parity, parityEntries(), parityText);
    showText(view, I2Combo::StopBits, stopBitsEntries(), stopBitsText);
    showText(view, I2Combo::FlowControl, flowControlEntries(), flowControlText);
}

void CI2Dlg::takeFromView(const CI2DlgView &view)
{
    portText = view.comboText(I2Combo::Port);
    baudRateText = view.comboText(I2Combo::BaudRate);
    dataBitsText = view.comboText(I2Combo::DataBits);
    parityText = view.comboText(I2Combo::Parity);
    stopBitsText = view.comboText(I2Combo::StopBits);
    flowControlText = view.comboText(I2Combo::FlowControl);
}

} // namespace teb
