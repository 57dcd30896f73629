#pragma once

#include "reader/interface_settings.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace teb {

// The six combo boxes of the "Interface Settings" dialog.
enum class I2Combo { Port, BaudRate, DataBits, Parity, StopBits, FlowControl };

// What the dialog's window offers its model. Every combo box is a drop-down
// with an edit field: it has a list, and its text is either a selected entry
// or whatever the operator typed.
class CI2DlgView {
public:
    enum class Result { Ok, Cancel };

    virtual ~CI2DlgView() = default;
    virtual void setComboEntries(I2Combo combo, const std::vector<std::string> &entries) = 0;
    virtual void selectComboEntry(I2Combo combo, std::size_t index) = 0;
    virtual void setComboText(I2Combo combo, const std::string &text) = 0;
    virtual std::string comboText(I2Combo combo) const = 0;
    // Shows the dialog (caption "Interface Settings", buttons "OK" and
    // "Cancel") until the operator closes it.
    virtual Result runModal() = 0;
};

// The "Interface Settings" dialog: six texts, one per combo box, and the list
// of COM ports found when it opens.
class CI2Dlg {
public:
    using PortListSource = std::function<std::vector<std::string>()>;

    explicit CI2Dlg(PortListSource portListSource);

    // Texts from the main window's fields: numbers in decimal, codes by name.
    void fillFrom(const InterfaceSettings &settings);
    // The texts back into the fields: numbers read leniently, unknown names give 0.
    void applyTo(InterfaceSettings &settings) const;

    // Opens the dialog on `view`, runs it and, on "OK", takes the texts the
    // operator left in the combo boxes.
    CI2DlgView::Result run(CI2DlgView &view);

    std::string portText;
    std::string baudRateText;
    std::string dataBitsText;
    std::string parityText;
    std::string stopBitsText;
    std::string flowControlText;
    std::vector<std::string> portList; // filled when the dialog opens

private:
    void onInitDialog(CI2DlgView &view);
    void takeFromView(const CI2DlgView &view);

    PortListSource m_portListSource;
};

} // namespace teb
