// The dialog shows the core's lists and forwards the merchant's clicks:
// "Cambia" in each mode, picking from the preview, "Chiudi" and Escape.

#include "desktop/design/CColourPreview.h"
#include "desktop/design/CModificaColoriDlg.h"
#include "desktop/design/tests/ColourFixture.h"
#include "desktop/shell/controls/CColorListBox.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

template <typename Widget>
Widget* Find(QWidget& dialog, const char* name)
{
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::runtime_error(std::string("no control ") + name);
    return widget;
}

void Mouse(QWidget* widget, QEvent::Type type, const QPoint& at)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(CModificaColoriDlg, CambiaChangesTheEntryAndChiudiSavesIt)
{
    ColourFixture fixture;
    fixture.Value(1, QStringLiteral("#AAAAAA"));
    fixture.Value(2, QStringLiteral("#AAAAAA"));
    fixture.Value(3, QStringLiteral("#BBBBBB"));
    CMessageBoxScript boxes;
    CModificaColoriDlg dialog(fixture.shop.Db(), fixture.shop.Folder());
    QColor offered;
    dialog.SetColourChooser([&](const QColor& initial) {
        offered = initial;
        return QColor(0x12, 0x34, 0x56);
    });
    auto* colours = Find<CColorListBox>(dialog, "colours");
    ASSERT_EQ(colours->count(), 2);
    EXPECT_EQ(colours->item(0)->text(), QStringLiteral("(170, 170, 170)"));
    EXPECT_EQ(Find<QLabel>(dialog, "colourText")->text(), QStringLiteral("170, 170, 170"));
    ASSERT_TRUE(Find<QPushButton>(dialog, "cambia")->isEnabled());

    Find<QPushButton>(dialog, "cambia")->click();
    EXPECT_EQ(offered, QColor(170, 170, 170));
    EXPECT_EQ(colours->item(0)->text(), QStringLiteral("(18, 52, 86)"));
    EXPECT_EQ(colours->GetItemColor(0), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(fixture.Values().first(), QStringLiteral("#AAAAAA"));

    boxes.Answer(QMessageBox::Yes);
    Find<QPushButton>(dialog, "chiudi")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(fixture.Values(), (QStringList{"#123456", "#123456", "#BBBBBB"}));
    EXPECT_EQ(dialog.ChangedClasses(), (QSet<qint32>{1, 2}));
}

TEST(CModificaColoriDlg, ImageModePicksFromThePreviewAndEscapeSavesNothing)
{
    ColourFixture fixture;
    fixture.WriteGif(QStringLiteral("a.gif"), 2, 1, {QColor(255, 0, 0), QColor(0, 0, 255)}, {0, 1});
    const QByteArray before = fixture.shop.Temp().ReadFile(QStringLiteral("negozio/website/images/a.gif"));
    CMessageBoxScript boxes;
    CModificaColoriDlg dialog(fixture.shop.Db(), fixture.shop.Folder());
    dialog.SetColourChooser([](const QColor&) { return QColor(0, 255, 0); });
    dialog.show();
    QApplication::processEvents();
    EXPECT_FALSE(Find<QPushButton>(dialog, "cambia")->isEnabled());   // no colour in the styles

    Find<QRadioButton>(dialog, "immagini")->click();
    EXPECT_TRUE(Find<QWidget>(dialog, "images")->isVisible());
    EXPECT_FALSE(Find<QWidget>(dialog, "colours")->isVisible());
    auto* zoom = Find<QSlider>(dialog, "zoom");
    EXPECT_TRUE(zoom->isEnabled());
    EXPECT_GT(zoom->maximum(), 100);
    EXPECT_FALSE(Find<QPushButton>(dialog, "cambia")->isEnabled());

    zoom->setValue(400);
    EXPECT_EQ(dialog.Zoom(), 400);
    EXPECT_EQ(Find<QLabel>(dialog, "zoomText")->text(), QStringLiteral("400%"));

    // Pixel (1, 0) is drawn from x = 4 to 7 at 400%.
    auto* preview = Find<CColourPreview>(dialog, "preview");
    Find<QToolButton>(dialog, "pick")->click();
    Mouse(preview, QEvent::MouseMove, QPoint(5, 2));
    EXPECT_EQ(Find<QLabel>(dialog, "colourText")->text(), QStringLiteral("0, 0, 255"));
    Mouse(preview, QEvent::MouseButtonRelease, QPoint(5, 2));
    EXPECT_FALSE(Find<QToolButton>(dialog, "pick")->isChecked());
    ASSERT_TRUE(Find<QPushButton>(dialog, "cambia")->isEnabled());

    Find<QPushButton>(dialog, "cambia")->click();
    EXPECT_EQ(preview->grab().toImage().pixel(5, 2), qRgb(0, 255, 0));
    dialog.reject();
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_EQ(fixture.shop.Temp().ReadFile(QStringLiteral("negozio/website/images/a.gif")), before);
}

} // namespace
