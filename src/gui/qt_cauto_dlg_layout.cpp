#include "qt_cauto_dlg_layout.h"

#include "artwork.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "controls/x_color_static.h"
#include "memory_map_widget.h"
#include "qt_cauto_dlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace teb::gui {
namespace {

// Field classes of the reporting text fields.
constexpr int kCarrierIdFieldClass = 22;  // Enter, Tab and loss of focus
constexpr int kByteCellClass = 23;
constexpr int kWorkOrderFieldClass = 25;

constexpr int kByteCellWidth = 40;
constexpr int kTextFieldWidth = 150;
constexpr QSize kSwitchSize(36, 18);

QString twoDigits(int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

} // namespace

void QtCAutoDlgLayout::build()
{
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(workOrderGroup());
    left->addWidget(dataSourceGroup());
    left->addWidget(transponderGroup());
    left->addStretch();
    auto *middle = new QVBoxLayout;
    middle->addWidget(carrierIdSetupGroup());
    middle->addWidget(byteGridGroup());
    middle->addWidget(dataAreaGroup());
    middle->addStretch();
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addWidget(pictureColumn());

    auto *whole = new QVBoxLayout(&m_dialog);
    whole->addWidget(nameRow());
    whole->addLayout(columns);
    whole->addWidget(bottomRow());
}

QWidget *QtCAutoDlgLayout::nameRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label(QStringLiteral("Name"), true));
    QComboBox *names = list(ConfigControl::NameList, true);
    names->setMinimumWidth(360);
    layout->addWidget(names);
    layout->addWidget(button(ConfigControl::SaveButton, QStringLiteral("Save")));
    layout->addWidget(button(ConfigControl::DeleteButton, QStringLiteral("Delete")));
    // What "Save" did: it takes the rest of the row and never widens the dialog.
    CXColorStatic *note = label(QString());
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_dialog.add(ConfigControl::SaveNote, note);
    layout->addWidget(note, 1);
    return row;
}

QWidget *QtCAutoDlgLayout::workOrderGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("Work order Setup"), grid);
    const std::pair<ConfigControl, QString> fields[]{
        {ConfigControl::OperatorBadgeId, QStringLiteral("Operator badge ID#")},
        {ConfigControl::PartNumber, QStringLiteral("Part number")},
        {ConfigControl::WorkOrderNumber, QStringLiteral("Work order number")},
        {ConfigControl::Quantity, QStringLiteral("Quantity")},
    };
    int row = 1;
    for (const auto &[id, text] : fields) {
        grid->addWidget(label(text), row, 0);
        grid->addWidget(field(id, kWorkOrderFieldClass, kTextFieldWidth), row++, 1);
    }
    return frame;
}

QWidget *QtCAutoDlgLayout::dataSourceGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("Data Source"), grid);
    const std::pair<ConfigControl, QString> switches[]{
        {ConfigControl::DecimalCounterSwitch, QStringLiteral("Decimal counter")},
        {ConfigControl::CsvFileSwitch, QStringLiteral(".csv file")},
        {ConfigControl::CsvFileCompleteSwitch, QStringLiteral(".csv file complete")},
        {ConfigControl::FixDataSwitch, QStringLiteral("fix data")},
    };
    int row = 1;
    for (const auto &[id, text] : switches) {
        grid->addWidget(label(text), row, 0);
        grid->addWidget(onOffSwitch(id), row++, 1, Qt::AlignLeft);
    }
    grid->addWidget(label(QStringLiteral("file name")), row, 0);
    grid->addWidget(button(ConfigControl::CsvOpenButton, QStringLiteral("Open")), row++, 1, Qt::AlignLeft);
    grid->addWidget(pathDisplay(ConfigControl::CsvFileDisplay), row, 0, 1, 2);
    return frame;
}

QWidget *QtCAutoDlgLayout::transponderGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("Transponder type"), grid);
    grid->addWidget(label(QStringLiteral("TI Multipage")), 1, 0);
    grid->addWidget(onOffSwitch(ConfigControl::TiSwitch), 1, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("Orvex Multipage")), 2, 0);
    grid->addWidget(onOffSwitch(ConfigControl::OrvexSwitch), 2, 1, Qt::AlignLeft);
    return frame;
}

QWidget *QtCAutoDlgLayout::carrierIdSetupGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("SEMI E99 Carrier ID Setup"), grid);
    // Two fixed displays on the left, the carrier-ID fields on the right.
    const auto fixedDisplay = [this](const QString &value) {
        CXColorStatic *display = label(value);
        display->setBackgroundColor(QColor(240, 240, 240));
        display->setTextColor(Qt::black);
        display->setAlignment(Qt::AlignCenter);
        return display;
    };
    grid->addWidget(label(QStringLiteral("Total Tag Length")), 1, 0);
    grid->addWidget(fixedDisplay(QStringLiteral("136")), 1, 1);
    grid->addWidget(label(QStringLiteral("Maximum Byte of CID")), 2, 0);
    grid->addWidget(fixedDisplay(QStringLiteral("16")), 2, 1);
    grid->addWidget(button(ConfigControl::FillButton, QStringLiteral("Fill data acc. SEMI E99")), 3, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Lock Carrier ID")), 4, 0);
    grid->addWidget(onOffSwitch(ConfigControl::LockCarrierIdSwitch), 4, 1, Qt::AlignLeft);

    const std::pair<ConfigControl, QString> fields[]{
        {ConfigControl::CarrierIdOffset, QStringLiteral("Carrier ID Offset")},
        {ConfigControl::CarrierIdLength, QStringLiteral("Carrier ID Length")},
        {ConfigControl::CarrierId, QStringLiteral("Carrier ID")},
        {ConfigControl::MemoryPage, QStringLiteral("Memory Page")},
    };
    int row = 1;
    for (const auto &[id, text] : fields) {
        grid->addWidget(label(text), row, 3);
        grid->addWidget(field(id, kCarrierIdFieldClass, kTextFieldWidth), row++, 4);
    }
    grid->setColumnMinimumWidth(2, 16);
    return frame;
}

QWidget *QtCAutoDlgLayout::byteGridGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("Carrier ID"), grid);
    addPageBlock(*grid, 1, 1);
    addPageBlock(*grid, 5, 2);
    grid->setHorizontalSpacing(3);
    return frame;
}

// One page of the byte grid: byte numbers, HEX, ASCII and fix rows, and the
// page's "Edit" and "Lock" switches.
void QtCAutoDlgLayout::addPageBlock(QGridLayout &grid, int row, int page)
{
    const int firstByte = (page - 1) * 8;
    grid.addWidget(label(QStringLiteral("Page %1").arg(page), true), row, 0);
    grid.addWidget(label(QStringLiteral("byte %1 - %2").arg(twoDigits(firstByte), twoDigits(firstByte + 7))), row + 1, 0);
    const QString rowTitles[]{QStringLiteral("byte #"), QStringLiteral("HEX"), QStringLiteral("ASCII"),
                              QStringLiteral("fix data")};
    for (int i = 0; i < 4; ++i)
        grid.addWidget(label(rowTitles[i]), row + i, 1);
    for (int i = 0; i < 8; ++i) {
        const int byte = firstByte + i;
        CXColorStatic *number = label(twoDigits(byte));
        number->setAlignment(Qt::AlignCenter);
        grid.addWidget(number, row, 2 + i);
        CEnterEdit *hex = field(hexCell(byte), kByteCellClass, kByteCellWidth);
        CEnterEdit *ascii = field(asciiCell(byte), kByteCellClass, kByteCellWidth);
        hex->setAlignment(Qt::AlignCenter);
        ascii->setAlignment(Qt::AlignCenter);
        grid.addWidget(hex, row + 1, 2 + i);
        grid.addWidget(ascii, row + 2, 2 + i);
        grid.addWidget(onOffSwitch(fixSwitch(byte)), row + 3, 2 + i, Qt::AlignCenter);
    }
    grid.addWidget(label(QStringLiteral("Edit")), row, 11, Qt::AlignCenter);
    grid.addWidget(label(QStringLiteral("Lock")), row, 12, Qt::AlignCenter);
    grid.addWidget(onOffSwitch(page == 1 ? ConfigControl::EditPage1Switch : ConfigControl::EditPage2Switch), row + 1, 11);
    grid.addWidget(onOffSwitch(page == 1 ? ConfigControl::LockPage1Switch : ConfigControl::LockPage2Switch), row + 1, 12);
    grid.setColumnMinimumWidth(10, 10);
}

QWidget *QtCAutoDlgLayout::dataAreaGroup()
{
    QGridLayout *grid = nullptr;
    QWidget *frame = group(QStringLiteral("Data Area"), grid);
    grid->addWidget(label(QStringLiteral("Write Pages 3 - 17")), 1, 0);
    grid->addWidget(onOffSwitch(ConfigControl::WritePages3To17Switch), 1, 1, Qt::AlignLeft);
    grid->addWidget(button(ConfigControl::EditPagesButton, QStringLiteral("Edit")), 1, 2);
    grid->addWidget(label(QStringLiteral("Decimal counter on Page")), 2, 0);
    grid->addWidget(list(ConfigControl::CounterPageList, false), 2, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Alignment serial number")), 3, 0);
    grid->addWidget(list(ConfigControl::AlignmentList, false), 3, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}

QWidget *QtCAutoDlgLayout::pictureColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    CXColorStatic *header = label(QStringLiteral("Carrier ID aac. SEMI E99"), true);
    header->setAlignment(Qt::AlignCenter);
    layout->addWidget(header);
    m_dialog.m_memoryMap = new MemoryMapWidget;
    layout->addWidget(m_dialog.m_memoryMap, 0, Qt::AlignHCenter);
    auto *carrier = new QLabel;
    carrier->setPixmap(artworkPixmap(Artwork::WaferCarrier));
    carrier->setAlignment(Qt::AlignCenter);
    layout->addWidget(carrier);
    layout->addStretch();
    return column;
}

QWidget *QtCAutoDlgLayout::bottomRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label(QStringLiteral("Log"), true));
    layout->addWidget(onOffSwitch(ConfigControl::LogSwitch));
    CXColorStatic *record = pathDisplay(ConfigControl::RecordFileDisplay);
    layout->addWidget(record, 1);
    layout->addWidget(button(ConfigControl::RecordOpenButton, QStringLiteral("Open")));
    layout->addSpacing(24);
    QPushButton *ok = button(ConfigControl::OkButton, QStringLiteral("OK"));
    QPushButton *cancel = button(ConfigControl::CancelButton, QStringLiteral("Cancel"));
    ok->setMinimumWidth(96);
    cancel->setMinimumWidth(96);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return row;
}

// A group: a sunken panel with its bold title on the first row of its grid.
QWidget *QtCAutoDlgLayout::group(const QString &title, QGridLayout *&grid)
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setVerticalSpacing(4);
    grid->addWidget(label(title, true), 0, 0, 1, -1, Qt::AlignLeft);
    return frame;
}

CXColorStatic *QtCAutoDlgLayout::label(const QString &text, bool bold)
{
    auto *caption = new CXColorStatic;
    caption->setText(text);
    caption->setTextColor(Qt::white);
    caption->setBackgroundColor(Qt::black);
    caption->setBold(bold);
    caption->setMargin(2);
    return caption;
}

CEnterEdit *QtCAutoDlgLayout::field(ConfigControl id, int classNumber, int width)
{
    auto *edit = new CEnterEdit(classNumber, static_cast<int>(id));
    edit->setTextColor(Qt::black);
    edit->setBackgroundColor(Qt::white);
    if (width > 0)
        edit->setFixedWidth(width);
    m_dialog.add(id, edit);
    return edit;
}

ImageSwitch *QtCAutoDlgLayout::onOffSwitch(ConfigControl id)
{
    auto *button = new ImageSwitch(artworkPixmap(Artwork::SwitchOn, kSwitchSize), artworkPixmap(Artwork::SwitchOff, kSwitchSize));
    button->setFocusPolicy(Qt::TabFocus);
    m_dialog.add(id, button);
    return button;
}

QPushButton *QtCAutoDlgLayout::button(ConfigControl id, const QString &text)
{
    auto *push = new QPushButton(text);
    // Enter belongs to the fields; no button is pressed by it.
    push->setAutoDefault(false);
    push->setDefault(false);
    m_dialog.add(id, push);
    return push;
}

CXColorStatic *QtCAutoDlgLayout::pathDisplay(ConfigControl id)
{
    auto *display = new CXColorStatic;
    display->setTextColor(Qt::black);
    display->setBackgroundColor(QColor(240, 240, 240));
    display->setMargin(2);
    display->setMinimumWidth(320);
    m_dialog.add(id, display);
    return display;
}

QComboBox *QtCAutoDlgLayout::list(ConfigControl id, bool editable)
{
    auto *box = new QComboBox;
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    m_dialog.add(id, box);
    return box;
}

} // namespace teb::gui
