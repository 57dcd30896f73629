#include "about_box.h"

#include "artwork.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace teb::gui {

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(kAboutBoxTitle));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *picture = new QLabel(this);
    picture->setPixmap(artworkPixmap(Artwork::AboutPicture));
    layout->addWidget(picture);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->hide();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(artworkSize(Artwork::AboutPicture));
}

// A hidden default button takes no Enter in Qt: the box does it itself.
void AboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace teb::gui
