#include "platform/testing/TempFolder.h"
#include "server/sync/AggiornamentoFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <vector>

namespace {

// One post of a piece of images/prodotti/7.jpg: where it says it goes
// (-1: an older desktop that does not say), its bytes, the file's size.
struct Step
{
    bool first;
    qint64 offset;
    char fill;
    int count;
    qint64 total;
    bool accepted;
};

struct PieceRun
{
    const char* name;
    std::vector<Step> steps;
    QByteArray file;   // empty: no file
    bool partLeft;
};

void PrintTo(const PieceRun& run, std::ostream* os) { *os << run.name; }

QByteArray Bytes(char fill, int count) { return QByteArray(count, fill); }

class PieceRuns : public testing::TestWithParam<PieceRun>
{
protected:
    // The reply the endpoint gives: "OK", or the reason of the refusal.
    QString Send(const Step& step)
    {
        AggiornamentoFile::Pezzo pezzo{"images\\prodotti", "7.jpg", step.first, step.total, Bytes(step.fill, step.count),
                                       step.offset};
        try {
            m_files.ScriviPezzo(pezzo);
        } catch (const std::invalid_argument& refused) {
            return QString::fromStdString(refused.what());
        }
        return "OK";
    }

    TempFolder m_root;
    AggiornamentoFile m_files{m_root.Path()};
};

TEST_P(PieceRuns, EachPieceContinuesItsTransferOrIsRecognisedOrRefused)
{
    int number = 0;
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(++number);
        EXPECT_EQ(Send(step), step.accepted ? QString("OK") : QString("Errore di trasmissione."));
    }
    QFile file(m_root.FilePath("images/prodotti/7.jpg"));
    if (GetParam().file.isEmpty()) {
        EXPECT_FALSE(file.exists());
    } else {
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), GetParam().file);
    }
    EXPECT_EQ(QFile::exists(m_root.FilePath("images/prodotti/.7.jpg.part")), GetParam().partLeft);
}

const QByteArray kAB = Bytes('A', 1000) + Bytes('B', 500);
const QByteArray kABC = Bytes('A', 500) + Bytes('B', 500) + Bytes('C', 500);

INSTANTIATE_TEST_SUITE_P(
    Runs, PieceRuns,
    testing::Values(
        // The reply to the last piece is lost and the piece comes again.
        PieceRun{"LastPieceSentAgain",
                 {{true, 0, 'A', 1000, 1500, true}, {false, 1000, 'B', 500, 1500, true},
                  {false, 1000, 'B', 500, 1500, true}, {false, 1000, 'B', 500, 1500, true},
                  {false, 1000, 'B', 500, 1500, true}},
                 kAB, false},
        PieceRun{"LastPieceSentAgainByADesktopThatDoesNotSayWhere",
                 {{true, -1, 'A', 1000, 1500, true}, {false, -1, 'B', 500, 1500, true},
                  {false, -1, 'B', 500, 1500, false}, {false, -1, 'B', 500, 1500, false}},
                 kAB, false},
        PieceRun{"MiddlePieceSentAgain",
                 {{true, 0, 'A', 500, 1500, true}, {false, 500, 'B', 500, 1500, true},
                  {false, 500, 'B', 500, 1500, true}, {false, 1000, 'C', 500, 1500, true}},
                 kABC, false},
        PieceRun{"FirstPieceSentAgainStartsAfresh",
                 {{true, 0, 'A', 500, 1500, true}, {true, 0, 'A', 500, 1500, true},
                  {false, 500, 'B', 500, 1500, true}, {false, 1000, 'C', 500, 1500, true}},
                 kABC, false},
        // Pieces that do not continue a transfer in progress.
        PieceRun{"LaterPieceWithoutATransfer", {{false, 500, 'B', 500, 1500, false}}, {}, false},
        PieceRun{"LaterPieceWithoutATransferFromADesktopThatDoesNotSayWhere",
                 {{false, -1, 'B', 500, 1500, false}}, {}, false},
        PieceRun{"PieceThatSkipsAhead",
                 {{true, 0, 'A', 500, 1500, true}, {false, 1000, 'C', 500, 1500, false},
                  {false, 500, 'B', 500, 1500, true}, {false, 1000, 'C', 500, 1500, true}},
                 kABC, false},
        PieceRun{"PieceSentAgainWithOtherBytes",
                 {{true, 0, 'A', 500, 1500, true}, {false, 500, 'B', 500, 1500, true},
                  {false, 500, 'C', 500, 1500, false}},
                 {}, true},
        PieceRun{"FirstPieceThatSaysItGoesLater", {{true, 500, 'A', 500, 1500, false}}, {}, false},
        // More bytes than the file has: the transfer is dropped.
        PieceRun{"PieceThatOverflowsTheFile",
                 {{true, 0, 'A', 1000, 1200, true}, {false, 1000, 'B', 500, 1200, false}}, {}, false},
        PieceRun{"PieceThatOverflowsTheFileFromADesktopThatDoesNotSayWhere",
                 {{true, -1, 'A', 1000, 1200, true}, {false, -1, 'B', 500, 1200, false}}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
