#include "exchange/scripts/CScriptExTables.h"

#include "recordset/CArgomentiSet.h"
#include "recordset/CArticoliFilesSet.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/CBannerSet.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CInteressiSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CSezioniSet.h"
#include "recordset/CStatoOrdiniGeneraleSet.h"
#include "recordset/CTipoBannerSet.h"

#include <functional>
#include <map>

namespace {

template <class TSet>
std::unique_ptr<CQTRDaoRecordset> Make(CDaoDatabase& database)
{
    return std::make_unique<TSet>(&database);
}

} // namespace

std::unique_ptr<CQTRDaoRecordset> CScriptExTables::Open(CDaoDatabase& database, const QString& table)
{
    static const std::map<QString, std::function<std::unique_ptr<CQTRDaoRecordset>(CDaoDatabase&)>> classes{
        {"Argomenti", Make<CArgomentiSet>},       {"ArticoliFiles", Make<CArticoliFilesSet>},
        {"Articoli", Make<CArticoliGenSet>},      {"ArticoliLink", Make<CArticoliLinkSet>},
        {"Banner", Make<CBannerSet>},             {"Categorie", Make<CCategorieGenSet>},
        {"Clienti", Make<CClientiSet>},           {"Dizionario", Make<CDizionarioGenSet>},
        {"Gruppi", Make<CGruppiSet>},             {"Interessi", Make<CInteressiSet>},
        {"ProdottiColori", Make<CProdottiColoriSet>}, {"Prodotti", Make<CProdottiGeneraleSet>},
        {"Sezioni", Make<CSezioniSet>},           {"StatoOrdini", Make<CStatoOrdiniGeneraleSet>},
        {"TipoBanner", Make<CTipoBannerSet>},     {"Ordini", Make<COrdiniGeneraleSet>},
    };
    const auto it = classes.find(table);
    if (it != classes.end()) {
        auto recordset = it->second(database);
        recordset->Open();
        return recordset;
    }
    auto recordset = std::make_unique<CQTRDaoRecordset>(&database);
    recordset->m_strTableName = table;
    recordset->Open(-1, QStringLiteral("SELECT * FROM ") + table);
    return recordset;
}
