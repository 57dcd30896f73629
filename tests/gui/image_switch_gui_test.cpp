#include "artwork.h"
#include "controls/image_switch.h"

#include <QApplication>
#include <QTest>

namespace teb::gui {

class ImageSwitchGuiTest : public QObject {
    Q_OBJECT

    static QImage drawn(ImageSwitch &box, bool imageOn, bool checked)
    {
        box.setImageOn(imageOn);
        box.setChecked(checked);
        return box.grab().toImage();
    }

private slots:
    // A selection box's tick follows the check state, not the image; a switch
    // without a check mark shows only its image.
    void checkMarkFollowsTheCheckStateNotTheImage()
    {
        ImageSwitch box(artworkPixmap(Artwork::PageSelectOn, {18, 18}), artworkPixmap(Artwork::PageSelectOff, {18, 18}));
        box.resize(18, 18);
        box.setCheckable(true);
        box.setFlat(true);
        box.setDrawsCheckMark(true);
        for (const bool imageOn : {false, true})
            QVERIFY(drawn(box, imageOn, true) != drawn(box, imageOn, false));
        QVERIFY(drawn(box, true, false) != drawn(box, false, false));
        box.setDrawsCheckMark(false);
        QCOMPARE(drawn(box, true, true), drawn(box, true, false));
    }
};

} // namespace teb::gui

QTEST_MAIN(teb::gui::ImageSwitchGuiTest)
#include "image_switch_gui_test.moc"
