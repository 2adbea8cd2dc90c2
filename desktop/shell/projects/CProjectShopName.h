#pragma once

#include <QString>

// How a project is called where the merchant chooses one: the shop's
// name (Configurazione's company name) when the project's database gives
// one, else the folder itself.
class CProjectShopName
{
public:
    static QString Of(const QString& projectFolder);
};
