#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CPassword.h"
#include "desktop/shell/controls/CPathButton.h"
#include "desktop/shell/controls/CProgressDlg.h"
#include "desktop/shell/controls/DibFunctions.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(ProgressDlg, CountsAndCancel)
{
    QWidget owner;
    owner.resize(400, 300);
    CProgressDlg dialog(&owner);
    EXPECT_FALSE(dialog.isVisible());
    dialog.Show("Elaborazione", 0, 40);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), "Elaborazione");
    dialog.SetPos(12);
    EXPECT_EQ(dialog.GetCountText(), "12 / 40");
    EXPECT_FALSE(dialog.IsCancelled());
    dialog.CancelButton()->click();
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_TRUE(dialog.isVisible()); // the job stops and hides it
    dialog.Hide();
    EXPECT_FALSE(dialog.isVisible());
    dialog.Show("Di nuovo", 0, 10);
    EXPECT_EQ(dialog.GetPos(), 0);
    EXPECT_EQ(dialog.GetCountText(), "0 / 10");
    EXPECT_FALSE(dialog.IsCancelled());
    dialog.SetPos(99);
    EXPECT_EQ(dialog.GetPos(), 10);
}

TEST(PathButton, ShortensTheMiddleAndKeepsTheLastFolder)
{
    CPathButton button;
    const QFontMetrics metrics(button.font());
    const QString path = "/home/negozio/progetti/quintaro/website/images/prodotti";
    EXPECT_EQ(CPathButton::ShortenPath("/img", metrics, 1000), " /img ");
    const int width = metrics.horizontalAdvance(" /home/neg.../prodotti ");
    const QString shown = CPathButton::ShortenPath(path, metrics, width);
    EXPECT_TRUE(shown.startsWith(" /home")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/prodotti ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("...")) << shown.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(shown), width);
}

TEST(Password, OkReplacesTheCodeWithThePassword)
{
    CPassword dialog;
    dialog.m_strText = "NEGOZIO01";
    QTimer::singleShot(0, &dialog, [&] {
        dialog.PasswordEdit()->setText("segreta");
        dialog.accept();
    });
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.m_strText, "segreta");
    EXPECT_EQ(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);

    dialog.m_strText = "NEGOZIO01";
    QTimer::singleShot(0, &dialog, [&] {
        dialog.PasswordEdit()->setText("altra");
        dialog.reject();
    });
    EXPECT_NE(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.m_strText, "NEGOZIO01");
}

TEST(MessageBoxScript, AnswersInOrderThenWithTheDefault)
{
    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::No);
    EXPECT_EQ(CMessageBox::Show(nullptr, "Confermi ?", "Cancellazione", CMessageBox::Question,
                                QMessageBox::Yes | QMessageBox::No),
              QMessageBox::No);
    EXPECT_EQ(CMessageBox::Show(nullptr, "Confermi ?", "Cancellazione", CMessageBox::Question,
                                QMessageBox::Yes | QMessageBox::No),
              QMessageBox::Yes);
    EXPECT_EQ(CMessageBox::Show(nullptr, "Campo obbligatorio!", "Validazione campi",
                                CMessageBox::Stop),
              QMessageBox::Ok);
    ASSERT_EQ(boxes.Shown().size(), 3);
    EXPECT_EQ(boxes.Shown()[2].caption, "Validazione campi");
}

TEST(Dib, DepthsRoundToDibDepths)
{
    QImage deep(4, 3, QImage::Format_ARGB32);
    deep.fill(qRgb(10, 20, 30));
    const QImage dib24 = DDBToDIB(deep);
    EXPECT_EQ(DIBBitCount(dib24), 24);
    EXPECT_EQ(DIBNumColors(dib24), 0);
    EXPECT_EQ(DIBPaletteSize(dib24), 0);
    EXPECT_EQ(dib24.pixel(1, 1), qRgb(10, 20, 30));

    QImage mono(8, 8, QImage::Format_Mono);
    mono.fill(1);
    const QImage dib1 = DDBToDIB(mono);
    EXPECT_EQ(DIBBitCount(dib1), 1);
    EXPECT_EQ(DIBNumColors(dib1), 2);
    EXPECT_EQ(DIBPaletteSize(dib1), 8);
    EXPECT_NE(FindDIBBits(dib1), nullptr);

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable(QList<QRgb>(200, qRgb(1, 2, 3)));
    EXPECT_EQ(DIBBitCount(DDBToDIB(indexed)), 8);

    EXPECT_TRUE(DDBToDIB(QImage()).isNull());
    QImage freed = dib24;
    FreeDIB(freed);
    EXPECT_TRUE(freed.isNull());
}

TEST(Dib, PaintsOnlyTheClippedPartStretched)
{
    QImage source(2, 2, QImage::Format_RGB888);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 255, 0));
    source.setPixel(0, 1, qRgb(0, 0, 255));
    source.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage dib = DDBToDIB(source);

    QImage page(100, 100, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    EXPECT_TRUE(PaintDIB(painter, QRect(0, 0, 100, 100), dib, QRect(50, 0, 50, 50)));
    EXPECT_FALSE(PaintDIB(painter, QRect(0, 0, 100, 100), dib, QRect(200, 200, 10, 10)));
    EXPECT_FALSE(PaintDIB(painter, QRect(0, 0, 100, 100), QImage(), QRect(0, 0, 100, 100)));
    painter.end();
    EXPECT_EQ(page.pixel(75, 25), qRgb(0, 255, 0));
    EXPECT_EQ(page.pixel(25, 25), qRgb(0, 0, 0)); // outside the clip
    EXPECT_EQ(page.pixel(75, 75), qRgb(0, 0, 0));
}

} // namespace
