#include "desktop/shell/app/CExceptionBoundary.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoRecordset.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

struct EscapeCase
{
    const char* name;
    std::function<void()> fail;
    const char* shown;   // a part of the box's text
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class ExceptionBoundaryTest : public ::testing::TestWithParam<EscapeCase>
{
};

TEST_P(ExceptionBoundaryTest, AnEscapedErrorBecomesAMessageBox)
{
    CMessageBoxScript boxes;
    const bool result = CExceptionBoundary::Run([] {
        GetParam().fail();
        return true;
    });
    EXPECT_FALSE(result);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown().first().icon, CMessageBox::Stop);
    EXPECT_TRUE(boxes.LastText().contains(QString::fromUtf8(GetParam().shown))) << boxes.LastText().toStdString();
}

// A filter with the merchant's text spliced in, as it ended the program.
void OpenWithAQuoteInTheFilter()
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("test.mdb"), true);
    db.Execute("CREATE TABLE Clienti (Cognome TEXT)");
    CDaoRecordset rs(&db);
    rs.m_strFilter = QStringLiteral("Cognome='O'Brien'");
    rs.Open(dbOpenDynaset, QStringLiteral("[Clienti]"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ExceptionBoundaryTest,
    ::testing::Values(EscapeCase{"QuoteInAFilter", OpenWithAQuoteInTheFilter, "Stringa non chiusa"},
                      EscapeCase{"DatabaseError", [] { throw CDaoException("no such table: Nessuna"); },
                                 "no such table: Nessuna"},
                      EscapeCase{"StandardError", [] { throw std::out_of_range("indice fuori intervallo"); },
                                 "indice fuori intervallo"},
                      EscapeCase{"AnythingElse", [] { throw 42; }, "Errore imprevisto."}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST(ExceptionBoundary, AStepThatSucceedsShowsNothing)
{
    CMessageBoxScript boxes;
    EXPECT_TRUE(CExceptionBoundary::Run([] { return true; }));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

} // namespace
