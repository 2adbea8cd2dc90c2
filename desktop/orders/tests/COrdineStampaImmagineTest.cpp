// The printed invoice of a fixture order as a picture: written as PDF,
// turned into PNG by pdftoppm and compared with the reviewed picture in
// tests/data. A run with QTR_UPDATE_REFERENCE=1 writes a new reference,
// to be looked at before it is committed.

#include "desktop/orders/COrdinePrinter.h"
#include "desktop/orders/COrdineStampa.h"
#include "desktop/orders/testing/OrdersFixture.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString kReference = QStringLiteral(QTR_ORDERS_TEST_DATA "/fattura-riferimento.png");
const QString kOut = QStringLiteral(QTR_ORDERS_TEST_OUT);

// A pixel differs when one of its channels moved by more than this: the
// soft edges of letters may shift a little between font builds.
constexpr int kChannelTolerance = 64;
// At most this share of the page may differ.
constexpr double kAreaTolerance = 0.002;

QImage Render(const QString& pdf, const QString& base)
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, base});
    process.waitForFinished(60000);
    return QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
}

// The differing pixels in red over a pale copy of the reference.
int Differences(const QImage& actual, const QImage& reference, QImage* map)
{
    *map = reference.copy();
    int count = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb r = reference.pixel(x, y);
            const bool differs = std::abs(qRed(a) - qRed(r)) > kChannelTolerance
                                 || std::abs(qGreen(a) - qGreen(r)) > kChannelTolerance
                                 || std::abs(qBlue(a) - qBlue(r)) > kChannelTolerance;
            count += differs;
            map->setPixel(x, y, differs ? qRgb(255, 0, 0) : qRgb(255 - (255 - qGray(r)) / 4, 255 - (255 - qGray(r)) / 4,
                                                                 255 - (255 - qGray(r)) / 4));
        }
    return count;
}

// Each test prints to files of its own: ctest runs them side by side, and
// one test's pdftoppm must never read another's half-written PDF.
QString OwnFileBase()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    QString name = QStringLiteral("%1_%2").arg(info->test_suite_name(), info->name());
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    return kOut + QLatin1Char('/') + name;
}

QString PrintFixtureInvoice(OrdersFixture& f)
{
    f.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita"));
    // Five lines of address: company, name, street, town, country.
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=5, DataFattura='2024-03-12 09:00:00', Cap='20100', "
                                  "Provincia='MI', Stato='Italia' WHERE ID=?"),
                   {OrdersFixture::kFirst});
    QDir().mkpath(kOut);
    const QString pdf = OwnFileBase() + ".pdf";
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        COrdinePrinter(f.Folder()).PrintInvoice(writer, COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst));
    }
    return pdf;
}

class HeadingFit : public testing::TestWithParam<const char*>
{
};

// Each heading of the lines' table lies inside its box, whatever the
// width of the face the system gives for the documents' font: none is cut
// at the box's edge. DejaVu Sans stands for a wider face than the
// metric-compatible one the setup installs.
TEST_P(HeadingFit, TheLineHeadingsFitTheirBoxes)
{
    const QString face = QString::fromLatin1(GetParam());
    const QStringList before = QFont::substitutes(QStringLiteral("Arial"));
    if (!face.isEmpty())
        QFont::insertSubstitution(QStringLiteral("Arial"), face);
    OrdersFixture f;
    const QString pdf = PrintFixtureInvoice(f);
    QFont::removeSubstitutions(QStringLiteral("Arial"));
    QFont::insertSubstitutions(QStringLiteral("Arial"), before);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    process.waitForFinished(60000);
    const QString words = QString::fromUtf8(process.readAllStandardOutput());
    constexpr double kPoint = 72.0 / 25.4;
    const struct
    {
        const char* word;
        double left, right;   // the box, in millimetres
    } heads[] = {{"Q.ty", 125, 137.5}, {"Prezzo/Price", 137.5, 162.5}, {"Importo/Amount", 162.5, 187.5},
                 {"Iva/Vat", 187.5, 200}};
    // The recipient's last line stays inside its place (57 to 82 mm down).
    const QRegularExpression country(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"[0-9.]+\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">Italia</word>"));
    const QRegularExpressionMatch last = country.match(words);
    ASSERT_TRUE(last.hasMatch());
    EXPECT_LE(last.captured(1).toDouble() / kPoint, 82.0);
    for (const auto& head : heads) {
        const QRegularExpression pattern(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>%1</word>")
                                             .arg(QRegularExpression::escape(QString::fromLatin1(head.word))));
        const QRegularExpressionMatch match = pattern.match(words);
        ASSERT_TRUE(match.hasMatch()) << head.word;
        EXPECT_GE(match.captured(1).toDouble() / kPoint, head.left) << head.word;
        EXPECT_LE(match.captured(2).toDouble() / kPoint, head.right) << head.word;
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, HeadingFit, testing::Values("", "DejaVu Sans"), [](const auto& info) {
    return std::string(info.param[0] ? "DejaVuSans" : "Installed");
});

TEST(StampaImmagine, TheFixtureInvoiceLooksAsReviewed)
{
    OrdersFixture f;
    const QString pdf = PrintFixtureInvoice(f);
    const QImage actual = Render(pdf, OwnFileBase());
    ASSERT_FALSE(actual.isNull()) << "pdftoppm made no picture";
    if (qEnvironmentVariableIsSet("QTR_UPDATE_REFERENCE")) {
        ASSERT_TRUE(actual.save(kReference));
        GTEST_SKIP() << "reference written: " << kReference.toStdString();
    }
    const QImage reference = QImage(kReference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << kReference.toStdString();
    ASSERT_EQ(actual.size(), reference.size());
    QImage map;
    const int differing = Differences(actual, reference, &map);
    map.save(kOut + "/fattura-differenze.png");
    EXPECT_LE(differing, int(kAreaTolerance * reference.width() * reference.height()))
        << differing << " pixels differ; see " << (kOut + "/fattura-differenze.png").toStdString();
}

} // namespace
