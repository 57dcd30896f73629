// The main window's controls: one widget per control of the layout, placed
// where the layout says, each reporting to the model what the operator did.
#include "qt_cqv58_dlg.h"

#include "artwork.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "controls/spin_arrows.h"
#include "controls/x_color_static.h"
#include "qt_cqv58_dlg_layout.h"

#include <QFrame>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>

namespace teb::gui {
namespace {

QFont pageFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(9);
    return font;
}

// The status strip's small type, two rows in the height of one button.
QFont stripFont()
{
    QFont font;
    font.setPointSize(8);
    return font;
}

bool isStatusStrip(Control id)
{
    return id == Control::StatusPort || id == Control::StatusReader || id == Control::StatusJob;
}

// Automatic mode's result, read from a metre away: the verdict large and
// centred, what went onto the tag and why a cycle failed below it.
void styleResultLabel(Control id, CXColorStatic &label)
{
    struct Style {
        Control id;
        int points;
        bool bold;
        Qt::Alignment alignment;
    };
    static constexpr Style kStyles[] = {
        {Control::ResultVerdict, 48, true, Qt::AlignCenter},
        {Control::ResultIdentity, 13, true, Qt::AlignCenter},
        {Control::ResultReason, 12, false, Qt::AlignHCenter | Qt::AlignTop},
        {Control::ProgressLabel, 13, true, Qt::AlignLeft | Qt::AlignVCenter},
    };
    for (const Style &style : kStyles) {
        if (style.id != id)
            continue;
        QFont font = label.font();
        font.setPointSize(style.points);
        font.setBold(style.bold);
        label.setFont(font);
        label.setAlignment(style.alignment);
        label.setWordWrap(id == Control::ResultReason);
    }
}

ImageSwitch *imageSwitch(Artwork on, Artwork off, QSize size, QWidget *parent)
{
    return new ImageSwitch(artworkPixmap(on, size), artworkPixmap(off, size), parent);
}

} // namespace

void QtCQV58Dlg::buildControls()
{
    auto *clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setGeometry(QRect(QPoint(0, m_menuBar->height()), kClientAreaSize));
    // Frames first, so that every control lies above the frame around it.
    for (const bool frames : {true, false}) {
        for (std::size_t i = 0; i < controlCount(); ++i) {
            const ControlInfo &info = controlInfo(controlAt(i));
            if ((info.kind == ControlKind::Frame) != frames || info.kind == ControlKind::Command)
                continue;
            QWidget *widget = createControl(info.id, clientArea);
            widget->setObjectName(QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())));
            widget->setGeometry(placementOf(info.id));
            m_widgets[i] = widget;
            connectControl(info.id, widget);
        }
    }
}

QWidget *QtCQV58Dlg::createControl(Control id, QWidget *parent)
{
    switch (controlInfo(id).kind) {
    case ControlKind::Label: {
        auto *label = new CXColorStatic(parent);
        if (isStatusStrip(id)) {
            label->setFont(stripFont());
            label->setIndent(4);
        }
        styleResultLabel(id, *label);
        return label;
    }
    case ControlKind::EditBox: {
        auto *edit = new CEnterEdit(enterEditClassOf(id), static_cast<int>(id), parent);
        if (pageOfPageBox(id))
            edit->setFont(pageFont());
        return edit;
    }
    case ControlKind::TextView: {
        auto *view = new QPlainTextEdit(parent);
        view->setReadOnly(true);
        view->setFont(pageFont());
        view->setLineWrapMode(QPlainTextEdit::NoWrap);
        view->setUndoRedoEnabled(false); // a read-only view: no history of every line taken
        return view;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(parent);
        button->setAutoDefault(false);
        if (id == Control::DefaultMemoryButton) {
            // The longest caption of the button column: one point smaller so
            // it keeps a margin inside the column's width.
            QFont font = button->font();
            font.setPointSizeF(font.pointSizeF() - 1);
            button->setFont(font);
        }
        return button;
    }
    case ControlKind::Switch: {
        ImageSwitch *flat = imageSwitch(Artwork::LedOn, Artwork::LedOff, placementOf(id).size(), parent);
        flat->setCheckable(true);
        flat->setFlat(true);
        return flat;
    }
    case ControlKind::ImageSwitch: return imageSwitch(Artwork::SwitchOn, Artwork::SwitchOff, {36, 18}, parent);
    case ControlKind::SelectionBox: {
        ImageSwitch *box = imageSwitch(Artwork::PageSelectOn, Artwork::PageSelectOff, {18, 18}, parent);
        box->setCheckable(true);
        box->setFlat(true);
        box->setDrawsCheckMark(true);
        return box;
    }
    case ControlKind::SpinButton: return new SpinArrows(parent);
    case ControlKind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
        return frame;
    }
    case ControlKind::Image: {
        auto *image = new QLabel(parent);
        image->setPixmap(artworkPixmap(Artwork::SmallImage, placementOf(id).size()));
        return image;
    }
    case ControlKind::Command: break;
    }
    throw std::logic_error("a control without a widget has none to create");
}

void QtCQV58Dlg::connectControl(Control id, QWidget *widget)
{
    if (auto *edit = qobject_cast<CEnterEdit *>(widget)) {
        connect(edit, &CEnterEdit::completed, this, [this, id] { report([&] { m_events->enterPressed(id); }); });
        connect(edit, &CEnterEdit::focusLeft, this, [this, id] { report([&] { m_events->focusLost(id); }); });
    } else if (auto *arrows = qobject_cast<SpinArrows *>(widget)) {
        connect(arrows, &SpinArrows::stepped, this, [this, id](bool up) {
            report([&] { m_events->spinStep(id, up ? SpinDirection::Up : SpinDirection::Down); });
        });
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { report([&] { m_events->clicked(id); }); });
    }
}

} // namespace teb::gui
