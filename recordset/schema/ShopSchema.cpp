#include "recordset/schema/ShopSchema.h"

#include <QHash>

#include <iterator>

namespace {

// Every table's columns, each list included from its .def file.
#define QTR_COLUMN(kind, name) {QtrColumnKind::kind, #name, false, false},
#define QTR_NULLABLE_COLUMN(kind, name) {QtrColumnKind::kind, #name, true, false},
#define QTR_KEY_COLUMN(kind, name) {QtrColumnKind::kind, #name, false, true},

const QtrColumnDef kArgomenti[] = {
#include "recordset/schema/tables/Argomenti.def"
};
const QtrColumnDef kArgomentiLingue[] = {
#include "recordset/schema/tables/ArgomentiLingue.def"
};
const QtrColumnDef kArticoli[] = {
#include "recordset/schema/tables/Articoli.def"
};
const QtrColumnDef kArticoliFiles[] = {
#include "recordset/schema/tables/ArticoliFiles.def"
};
const QtrColumnDef kArticoliFilesLingue[] = {
#include "recordset/schema/tables/ArticoliFilesLingue.def"
};
const QtrColumnDef kArticoliLingue[] = {
#include "recordset/schema/tables/ArticoliLingue.def"
};
const QtrColumnDef kArticoliLink[] = {
#include "recordset/schema/tables/ArticoliLink.def"
};
const QtrColumnDef kArticoliLinkLingue[] = {
#include "recordset/schema/tables/ArticoliLinkLingue.def"
};
const QtrColumnDef kAttributiCSS[] = {
#include "recordset/schema/tables/AttributiCSS.def"
};
const QtrColumnDef kBanner[] = {
#include "recordset/schema/tables/Banner.def"
};
const QtrColumnDef kCategorie[] = {
#include "recordset/schema/tables/Categorie.def"
};
const QtrColumnDef kCategorieCodiciASP[] = {
#include "recordset/schema/tables/CategorieCodiciASP.def"
};
const QtrColumnDef kCategorieLingue[] = {
#include "recordset/schema/tables/CategorieLingue.def"
};
const QtrColumnDef kCategorieProdotti[] = {
#include "recordset/schema/tables/CategorieProdotti.def"
};
const QtrColumnDef kChiSiamo[] = {
#include "recordset/schema/tables/ChiSiamo.def"
};
const QtrColumnDef kClassiCSS[] = {
#include "recordset/schema/tables/ClassiCSS.def"
};
const QtrColumnDef kClienti[] = {
#include "recordset/schema/tables/Clienti.def"
};
const QtrColumnDef kCodiceASP[] = {
#include "recordset/schema/tables/CodiceASP.def"
};
const QtrColumnDef kCondizioniVendita[] = {
#include "recordset/schema/tables/CondizioniVendita.def"
};
const QtrColumnDef kConfigurazione[] = {
#include "recordset/schema/tables/Configurazione.def"
};
const QtrColumnDef kCorrelazioni[] = {
#include "recordset/schema/tables/Correlazioni.def"
};
const QtrColumnDef kDefinizioneCampiCustom[] = {
#include "recordset/schema/tables/DefinizioneCampiCustom.def"
};
const QtrColumnDef kDizionario[] = {
#include "recordset/schema/tables/Dizionario.def"
};
const QtrColumnDef kDizionarioLingue[] = {
#include "recordset/schema/tables/DizionarioLingue.def"
};
const QtrColumnDef kGruppi[] = {
#include "recordset/schema/tables/Gruppi.def"
};
const QtrColumnDef kInteressi[] = {
#include "recordset/schema/tables/Interessi.def"
};
const QtrColumnDef kInteressiLingue[] = {
#include "recordset/schema/tables/InteressiLingue.def"
};
const QtrColumnDef kInteressiUtenti[] = {
#include "recordset/schema/tables/InteressiUtenti.def"
};
const QtrColumnDef kInterventiForum[] = {
#include "recordset/schema/tables/InterventiForum.def"
};
const QtrColumnDef kLingue[] = {
#include "recordset/schema/tables/Lingue.def"
};
const QtrColumnDef kModuli[] = {
#include "recordset/schema/tables/Moduli.def"
};
const QtrColumnDef kModuliCampi[] = {
#include "recordset/schema/tables/ModuliCampi.def"
};
const QtrColumnDef kModuliCampiLingue[] = {
#include "recordset/schema/tables/ModuliCampiLingue.def"
};
const QtrColumnDef kModuliLingue[] = {
#include "recordset/schema/tables/ModuliLingue.def"
};
const QtrColumnDef kModuliOpzioni[] = {
#include "recordset/schema/tables/ModuliOpzioni.def"
};
const QtrColumnDef kModuliOpzioniLingue[] = {
#include "recordset/schema/tables/ModuliOpzioniLingue.def"
};
const QtrColumnDef kOTPRichieste[] = {
#include "recordset/schema/tables/OTPRichieste.def"
};
const QtrColumnDef kOTPRisposte[] = {
#include "recordset/schema/tables/OTPRisposte.def"
};
const QtrColumnDef kOpzioni[] = {
#include "recordset/schema/tables/Opzioni.def"
};
const QtrColumnDef kOrdini[] = {
#include "recordset/schema/tables/Ordini.def"
};
const QtrColumnDef kOrdiniDettaglio[] = {
#include "recordset/schema/tables/OrdiniDettaglio.def"
};
const QtrColumnDef kParametri[] = {
#include "recordset/schema/tables/Parametri.def"
};
const QtrColumnDef kParoleChiave[] = {
#include "recordset/schema/tables/ParoleChiave.def"
};
const QtrColumnDef kPermessi[] = {
#include "recordset/schema/tables/Permessi.def"
};
const QtrColumnDef kProdotti[] = {
#include "recordset/schema/tables/Prodotti.def"
};
const QtrColumnDef kProdottiColori[] = {
#include "recordset/schema/tables/ProdottiColori.def"
};
const QtrColumnDef kProdottiLingue[] = {
#include "recordset/schema/tables/ProdottiLingue.def"
};
const QtrColumnDef kRecordsEliminati[] = {
#include "recordset/schema/tables/RecordsEliminati.def"
};
const QtrColumnDef kScontiProdotto[] = {
#include "recordset/schema/tables/ScontiProdotto.def"
};
const QtrColumnDef kSezioni[] = {
#include "recordset/schema/tables/Sezioni.def"
};
const QtrColumnDef kSezioniArticoli[] = {
#include "recordset/schema/tables/SezioniArticoli.def"
};
const QtrColumnDef kSezioniLingue[] = {
#include "recordset/schema/tables/SezioniLingue.def"
};
const QtrColumnDef kSpeseSpedizione[] = {
#include "recordset/schema/tables/SpeseSpedizione.def"
};
const QtrColumnDef kStatoOrdini[] = {
#include "recordset/schema/tables/StatoOrdini.def"
};
const QtrColumnDef kStatoOrdiniLingue[] = {
#include "recordset/schema/tables/StatoOrdiniLingue.def"
};
const QtrColumnDef kTemplate[] = {
#include "recordset/schema/tables/Template.def"
};
const QtrColumnDef kTestoNotificaOrdine[] = {
#include "recordset/schema/tables/TestoNotificaOrdine.def"
};
const QtrColumnDef kTipoBanner[] = {
#include "recordset/schema/tables/TipoBanner.def"
};
const QtrColumnDef kValoriTaglie[] = {
#include "recordset/schema/tables/ValoriTaglie.def"
};
const QtrColumnDef kValute[] = {
#include "recordset/schema/tables/Valute.def"
};
const QtrColumnDef kProgressivoVersioneRecord[] = {
#include "recordset/schema/tables/ProgressivoVersioneRecord.def"
};
const QtrColumnDef kProdottiCorrelati[] = {
#include "recordset/schema/tables/ProdottiCorrelati.def"
};
const QtrColumnDef kInterventiChat[] = {
#include "recordset/schema/tables/InterventiChat.def"
};
const QtrColumnDef kUtentiChat[] = {
#include "recordset/schema/tables/UtentiChat.def"
};
const QtrColumnDef kUtenti[] = {
#include "recordset/schema/tables/Utenti.def"
};
const QtrColumnDef kContatoriID[] = {
#include "recordset/schema/tables/ContatoriID.def"
};
const QtrColumnDef kPagamentiCarta[] = {
#include "recordset/schema/tables/PagamentiCarta.def"
};
const QtrColumnDef kCredenzialiCD[] = {
#include "recordset/schema/tables/CredenzialiCD.def"
};

#undef QTR_COLUMN
#undef QTR_NULLABLE_COLUMN
#undef QTR_KEY_COLUMN

#define QTR_TABLE(name, cls, tracked, file) \
    QtrTableDef{#name, cls, tracked, QtrDbFile::file, k##name, int(std::size(k##name))}

QVector<QtrTableDef> MakeTables()
{
    return {
        QTR_TABLE(Argomenti, "CArgomentiSet", true, Shop),
        QTR_TABLE(ArgomentiLingue, "CArgomentiLingueSet", true, Shop),
        QTR_TABLE(Articoli, "CArticoliGenSet", true, Shop),
        QTR_TABLE(ArticoliFiles, "CArticoliFilesSet", true, Shop),
        QTR_TABLE(ArticoliFilesLingue, "CArticoliFilesLingueSet", true, Shop),
        QTR_TABLE(ArticoliLingue, "CArticoliLinSet", true, Shop),
        QTR_TABLE(ArticoliLink, "CArticoliLinkSet", true, Shop),
        QTR_TABLE(ArticoliLinkLingue, "CArticoliLinkLingueSet", true, Shop),
        QTR_TABLE(AttributiCSS, "CAttributiCSSSet", false, Graphic),
        QTR_TABLE(Banner, "CBannerSet", true, Shop),
        QTR_TABLE(Categorie, "CCategorieGenSet", true, Shop),
        QTR_TABLE(CategorieCodiciASP, "CCategorieCodiciASPSet", false, Graphic),
        QTR_TABLE(CategorieLingue, "CCategorieLinSet", true, Shop),
        QTR_TABLE(CategorieProdotti, "CCategorieProdottiSet", true, Shop),
        QTR_TABLE(ChiSiamo, "CChiSiamoSet", true, Shop),
        QTR_TABLE(ClassiCSS, "CClassiCSSSet", false, Graphic),
        QTR_TABLE(Clienti, "CClientiSet", true, Shop),
        QTR_TABLE(CodiceASP, "CCodiceASPSet", false, Graphic),
        QTR_TABLE(CondizioniVendita, "CCondizioniVenditaSet", true, Shop),
        QTR_TABLE(Configurazione, "CConfigurazioneSet", true, Shop),
        QTR_TABLE(Correlazioni, "CCorrelazioniSet", true, Shop),
        QTR_TABLE(DefinizioneCampiCustom, "CDefCampiCustomSet", true, Shop),
        QTR_TABLE(Dizionario, "CDizionarioGenSet", true, Shop),
        QTR_TABLE(DizionarioLingue, "CDizionarioLinSet", true, Shop),
        QTR_TABLE(Gruppi, "CGruppiSet", true, Shop),
        QTR_TABLE(Interessi, "CInteressiSet", true, Shop),
        QTR_TABLE(InteressiLingue, "CInteressiLingueSet", true, Shop),
        QTR_TABLE(InteressiUtenti, "CInteressiUtentiSet", true, Shop),
        QTR_TABLE(InterventiForum, "CInterventiForumSet", true, Shop),
        QTR_TABLE(Lingue, "CLingueSet", true, Shop),
        QTR_TABLE(Moduli, "CModuliSet", true, Shop),
        QTR_TABLE(ModuliCampi, "CModuliCampiSet", true, Shop),
        QTR_TABLE(ModuliCampiLingue, "CModuliCampiLingueSet", true, Shop),
        QTR_TABLE(ModuliLingue, "CModuliLingueSet", true, Shop),
        QTR_TABLE(ModuliOpzioni, "CModuliOpzioniSet", true, Shop),
        QTR_TABLE(ModuliOpzioniLingue, "CModuliOpzioniLingueSet", true, Shop),
        QTR_TABLE(OTPRichieste, "COTPRichiesteSet", true, Shop),
        QTR_TABLE(OTPRisposte, "COTPRisposteSet", true, Shop),
        QTR_TABLE(Opzioni, "COpzioniSet", true, Shop),
        QTR_TABLE(Ordini, "COrdiniGeneraleSet", true, Shop),
        QTR_TABLE(OrdiniDettaglio, "COrdiniDettaglioSet", true, Shop),
        QTR_TABLE(Parametri, "CParametriSet", false, Graphic),
        QTR_TABLE(ParoleChiave, "CParoleChiaveSet", true, Shop),
        QTR_TABLE(Permessi, "CPermessiSet", true, Shop),
        QTR_TABLE(Prodotti, "CProdottiGeneraleSet", true, Shop),
        QTR_TABLE(ProdottiColori, "CProdottiColoriSet", true, Shop),
        QTR_TABLE(ProdottiLingue, "CProdottiLingueSet", true, Shop),
        QTR_TABLE(RecordsEliminati, "CRecordsEliminatiSet", false, Shop),
        QTR_TABLE(ScontiProdotto, "CScontiProdottoSet", true, Shop),
        QTR_TABLE(Sezioni, "CSezioniSet", true, Shop),
        QTR_TABLE(SezioniArticoli, "CSezioniArticoliSet", true, Shop),
        QTR_TABLE(SezioniLingue, "CSezioniLingueSet", true, Shop),
        QTR_TABLE(SpeseSpedizione, "CSSpedizioneSet", true, Shop),
        QTR_TABLE(StatoOrdini, "CStatoOrdiniGeneraleSet", true, Shop),
        QTR_TABLE(StatoOrdiniLingue, "CStatoOrdiniLingueSet", true, Shop),
        QTR_TABLE(Template, "CTemplateSet", true, Shop),
        QTR_TABLE(TestoNotificaOrdine, "CNotificaClienteSet", true, Shop),
        QTR_TABLE(TipoBanner, "CTipoBannerSet", true, Shop),
        QTR_TABLE(ValoriTaglie, "CValoriTaglieSet", true, Shop),
        QTR_TABLE(Valute, "CValuteSet", true, Shop),
        QTR_TABLE(ProgressivoVersioneRecord, nullptr, false, Shop),
        QTR_TABLE(ProdottiCorrelati, nullptr, false, Shop),
        QTR_TABLE(InterventiChat, nullptr, false, Shop),
        QTR_TABLE(UtentiChat, nullptr, false, Shop),
        QTR_TABLE(Utenti, nullptr, false, Host),
        QTR_TABLE(ContatoriID, nullptr, false, Shop),
        QTR_TABLE(PagamentiCarta, nullptr, false, Shop),
        QTR_TABLE(CredenzialiCD, nullptr, false, Shop),
    };
}

#undef QTR_TABLE

} // namespace

QStringList QtrTableDef::ColumnNames() const
{
    QStringList names;
    for (int i = 0; i < columnCount; ++i)
        names << QString::fromLatin1(columns[i].name);
    return names;
}

int QtrTableDef::ColumnIndex(const QString& column) const
{
    for (int i = 0; i < columnCount; ++i)
        if (column.compare(QLatin1String(columns[i].name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QVector<QtrTableDef>& ShopSchema::Tables()
{
    static const QVector<QtrTableDef> tables = MakeTables();
    return tables;
}

const QtrTableDef* ShopSchema::Find(const QString& table)
{
    // Looked up for every value a script sets: by the folded name, as a
    // caseless comparison with each name would find it.
    static const QHash<QString, const QtrTableDef*> byName = [] {
        QHash<QString, const QtrTableDef*> names;
        for (const QtrTableDef& def : Tables()) {
            const QString key = QString::fromLatin1(def.name).toCaseFolded();
            if (!names.contains(key))   // the first of a name, as a walk would find it
                names.insert(key, &def);
        }
        return names;
    }();
    return byName.value(table.toCaseFolded());
}

QVector<const QtrTableDef*> ShopSchema::TablesOf(QtrDbFile file)
{
    QVector<const QtrTableDef*> result;
    for (const QtrTableDef& def : Tables())
        if (def.file == file)
            result << &def;
    return result;
}

bool ShopSchema::IsEnciphered(const QString& table, const QString& column)
{
    const QtrTableDef* def = Find(table);
    if (!def)
        return false;
    const int index = def->ColumnIndex(column);
    return index >= 0 && def->columns[index].kind == QtrColumnKind::EText;
}
