#include "desktop/catalogue/CImportDatiSettings.h"

#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportDatiSettingsTest, MovesKeepTheTickAndTheTickedOrderIsTheLine)
{
    CImportDatiSettings settings;
    EXPECT_FALSE(settings.CanMoveUp());
    settings.Select(6);   // "Codice a barre"
    EXPECT_TRUE(settings.SetTicked(6, true).isEmpty());
    settings.MoveUp();
    settings.MoveUp();
    EXPECT_EQ(settings.Selected(), 4);
    EXPECT_TRUE(settings.Entries().at(4).bTicked);
    EXPECT_EQ(settings.Columns(), (QVector<ImportField>{ImportField::IDCategoria, ImportField::Codice, ImportField::Nome,
                                                        ImportField::DescrizioneBreve, ImportField::CodiceABarre,
                                                        ImportField::Prezzo1, ImportField::AliquotaIVA}));
    settings.Select(21);
    EXPECT_TRUE(settings.CanMoveUp());
    EXPECT_FALSE(settings.CanMoveDown());
}

TEST(ImportDatiSettingsTest, ADescriptionMayGoWhileAnotherStays)
{
    CImportDatiSettings settings;
    EXPECT_FALSE(settings.SetTicked(3, false).isEmpty());   // the only description
    EXPECT_TRUE(settings.SetTicked(7, true).isEmpty());     // "Descrizione fattura"
    EXPECT_TRUE(settings.SetTicked(3, false).isEmpty());
    EXPECT_FALSE(settings.Entries().at(3).bTicked);
    EXPECT_FALSE(settings.SetTicked(5, false).isEmpty());   // "Aliquota IVA" must stay
    EXPECT_TRUE(settings.Entries().at(5).bTicked);
}

struct PreviewCase
{
    const char* name;
    const char* content;
    bool startEnabled;
    int rows;
};

class ImportPreviewTest : public ::testing::TestWithParam<PreviewCase>
{
};

TEST_P(ImportPreviewTest, FiveLinesDecideAvvio)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("p.txt"), QByteArray(GetParam().content));
    CImportDatiSettings settings;
    settings.m_strFile = folder.FilePath(QStringLiteral("p.txt"));
    const CImportDatiSettings::Preview preview = settings.ReadPreview();
    EXPECT_TRUE(preview.bRead);
    EXPECT_EQ(settings.IsStartEnabled(), GetParam().startEnabled);
    EXPECT_EQ(preview.rows.size(), GetParam().rows);
    EXPECT_EQ(preview.strMessage.isEmpty(), GetParam().startEnabled);
}

INSTANTIATE_TEST_SUITE_P(Files, ImportPreviewTest,
    ::testing::Values(PreviewCase{"FewerThanFiveLines", "1|A|N|B|1|22\n1|B|N|B|2|22\n", true, 2},
                      PreviewCase{"BadSixthLinePasses",
                                  "1|A|N|B|1|22\n1|B|N|B|1|22\n1|C|N|B|1|22\n1|D|N|B|1|22\n1|E|N|B|1|22\nbad\n", true, 5},
                      PreviewCase{"BadThirdLineRefuses", "1|A|N|B|1|22\n1|B|N|B|1|22\nbad\n", false, 0}),
    [](const ::testing::TestParamInfo<PreviewCase>& info) { return std::string(info.param.name); });

TEST(ImportDatiSettingsTest, NoFileKeepsAvvioAsItWas)
{
    CImportDatiSettings settings;
    settings.m_strFile = QStringLiteral("/nessuna/cartella/p.txt");
    EXPECT_FALSE(settings.ReadPreview().bRead);
    EXPECT_FALSE(settings.IsStartEnabled());
}

} // namespace
