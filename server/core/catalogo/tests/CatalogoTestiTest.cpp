#include "server/core/catalogo/CatalogoTesti.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(CatalogoTesti, SizesOnSaleAreARangeOfTheTable)
{
    qint32 numero = -1;
    const QString taglie = CatalogoTesti::TaglieInVendita("S|M|L|XL|", 1, 2, numero);
    EXPECT_EQ(taglie, "M|L|");
    EXPECT_EQ(numero, 2);
    EXPECT_EQ(CatalogoTesti::Taglia(taglie, 1, numero), "M");
    EXPECT_EQ(CatalogoTesti::Taglia(taglie, 2, numero), "L");
    EXPECT_EQ(CatalogoTesti::Taglia(taglie, 3, numero), "");
    EXPECT_EQ(CatalogoTesti::Taglia(taglie, 0, numero), "");

    EXPECT_EQ(CatalogoTesti::TaglieInVendita("S|M|", -1, -1, numero), "S|M|");
    EXPECT_EQ(numero, 0);
    EXPECT_EQ(CatalogoTesti::TaglieInVendita("S|M|", 1, 7, numero), "M|");   // a range past the table
    EXPECT_EQ(numero, 1);
}

TEST(CatalogoTesti, CustomFieldsByPositionAndByName)
{
    const QString campi = "A|1|B|2|";
    QString nome, valore;
    EXPECT_EQ(CatalogoTesti::NumeroCampi(campi), 2);
    EXPECT_EQ(CatalogoTesti::Campo(campi, 2, nome, valore), "2");
    EXPECT_EQ(nome, "B");
    EXPECT_EQ(CatalogoTesti::Campo(campi, "A", nome, valore), "1");
    EXPECT_EQ(nome, "A");
    EXPECT_EQ(CatalogoTesti::Campo(campi, "C", nome, valore), "");
    EXPECT_EQ(nome, "B");
    EXPECT_EQ(CatalogoTesti::Campo(campi, 3, nome, valore), "");
}

TEST(CatalogoTesti, AnUnterminatedPairIsLost)
{
    QString nome, valore;
    EXPECT_EQ(CatalogoTesti::NumeroCampi("A|1|B|2"), 1);
    EXPECT_EQ(CatalogoTesti::Campo("A|1|B|2", "B", nome, valore), "");
    EXPECT_EQ(CatalogoTesti::NumeroCampi(""), 0);
}

TEST(CatalogoValori, IdsAreReadStrictly)
{
    EXPECT_EQ(CatalogoValori::Numero("15"), 15);
    EXPECT_EQ(CatalogoValori::Numero(" 15 "), 15);
    EXPECT_EQ(CatalogoValori::Numero(15.0), 15);
    EXPECT_EQ(CatalogoValori::Numero("15abc"), std::nullopt);
    EXPECT_EQ(CatalogoValori::Numero("1.5"), std::nullopt);
    EXPECT_EQ(CatalogoValori::Numero("99999999999"), std::nullopt);
    EXPECT_EQ(CatalogoValori::Numero("ABITI"), std::nullopt);
    EXPECT_EQ(CatalogoValori::Id(QVariant(), "ID"), std::nullopt);
    EXPECT_EQ(CatalogoValori::Id("", "ID"), std::nullopt);
    EXPECT_THROW(CatalogoValori::Id("3 OR 1=1", "ID"), std::invalid_argument);
    EXPECT_EQ(CatalogoValori::Intero(QVariant(), "Flag"), 0);
}
