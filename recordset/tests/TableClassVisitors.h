#pragma once

// Every table class with a visitor over its bound members, so the schema
// tests can drive all sixty classes from one table of cases.

#include "recordset/CArgomentiSet.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliFilesSet.h"
#include "recordset/CArticoliFilesLingueSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/CArticoliLinkLingueSet.h"
#include "recordset/CAttributiCSSSet.h"
#include "recordset/CBannerSet.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieCodiciASPSet.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CClassiCSSSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CCodiceASPSet.h"
#include "recordset/CCondizioniVenditaSet.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CCorrelazioniSet.h"
#include "recordset/CDefCampiCustomSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CInteressiSet.h"
#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiUtentiSet.h"
#include "recordset/CInterventiForumSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CModuliSet.h"
#include "recordset/CModuliCampiSet.h"
#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/CModuliOpzioniSet.h"
#include "recordset/CModuliOpzioniLingueSet.h"
#include "recordset/COTPRichiesteSet.h"
#include "recordset/COTPRisposteSet.h"
#include "recordset/COpzioniSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/COrdiniDettaglioSet.h"
#include "recordset/CParametriSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CPermessiSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/CRecordsEliminatiSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/CSezioniSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/CSSpedizioneSet.h"
#include "recordset/CStatoOrdiniGeneraleSet.h"
#include "recordset/CStatoOrdiniLingueSet.h"
#include "recordset/CTemplateSet.h"
#include "recordset/CNotificaClienteSet.h"
#include "recordset/CTipoBannerSet.h"
#include "recordset/CValoriTaglieSet.h"
#include "recordset/CValuteSet.h"

#include <functional>
#include <memory>

// Calls visit(member, column name) for every bound member of the class,
// in binding order.
template <class Visit>
void VisitMembers(CArgomentiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Argomenti.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArgomentiLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArgomentiLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliGenSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Articoli.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliFilesSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArticoliFiles.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliFilesLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArticoliFilesLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliLinSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArticoliLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliLinkSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArticoliLink.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CArticoliLinkLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ArticoliLinkLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CAttributiCSSSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/AttributiCSS.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CBannerSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Banner.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCategorieGenSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Categorie.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCategorieCodiciASPSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/CategorieCodiciASP.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCategorieLinSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/CategorieLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCategorieProdottiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/CategorieProdotti.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CChiSiamoSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ChiSiamo.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CClassiCSSSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ClassiCSS.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CClientiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Clienti.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCodiceASPSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/CodiceASP.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCondizioniVenditaSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/CondizioniVendita.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CConfigurazioneSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Configurazione.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CCorrelazioniSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Correlazioni.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CDefCampiCustomSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/DefinizioneCampiCustom.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CDizionarioGenSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Dizionario.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CDizionarioLinSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/DizionarioLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CGruppiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Gruppi.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CInteressiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Interessi.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CInteressiLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/InteressiLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CInteressiUtentiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/InteressiUtenti.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CInterventiForumSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/InterventiForum.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Lingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Moduli.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliCampiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ModuliCampi.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliCampiLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ModuliCampiLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ModuliLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliOpzioniSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ModuliOpzioni.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CModuliOpzioniLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ModuliOpzioniLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(COTPRichiesteSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/OTPRichieste.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(COTPRisposteSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/OTPRisposte.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(COpzioniSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Opzioni.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(COrdiniGeneraleSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Ordini.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(COrdiniDettaglioSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/OrdiniDettaglio.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CParametriSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Parametri.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CParoleChiaveSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ParoleChiave.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CPermessiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Permessi.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CProdottiGeneraleSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Prodotti.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CProdottiColoriSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ProdottiColori.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CProdottiLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ProdottiLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CRecordsEliminatiSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/RecordsEliminati.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CScontiProdottoSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ScontiProdotto.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CSezioniSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Sezioni.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CSezioniArticoliSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/SezioniArticoli.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CSezioniLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/SezioniLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CSSpedizioneSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/SpeseSpedizione.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CStatoOrdiniGeneraleSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/StatoOrdini.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CStatoOrdiniLingueSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/StatoOrdiniLingue.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CTemplateSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Template.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CNotificaClienteSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/TestoNotificaOrdine.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CTipoBannerSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/TipoBanner.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CValoriTaglieSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/ValoriTaglie.def"
#undef QTR_COLUMN
}

template <class Visit>
void VisitMembers(CValuteSet& rs, Visit&& visit)
{
#define QTR_COLUMN(kind, name) visit(rs.m_##name, #name);
#include "recordset/schema/tables/Valute.def"
#undef QTR_COLUMN
}

#define QTR_FOR_EACH_TABLE_CLASS(X) \
    X(CArgomentiSet, Argomenti) \
    X(CArgomentiLingueSet, ArgomentiLingue) \
    X(CArticoliGenSet, Articoli) \
    X(CArticoliFilesSet, ArticoliFiles) \
    X(CArticoliFilesLingueSet, ArticoliFilesLingue) \
    X(CArticoliLinSet, ArticoliLingue) \
    X(CArticoliLinkSet, ArticoliLink) \
    X(CArticoliLinkLingueSet, ArticoliLinkLingue) \
    X(CAttributiCSSSet, AttributiCSS) \
    X(CBannerSet, Banner) \
    X(CCategorieGenSet, Categorie) \
    X(CCategorieCodiciASPSet, CategorieCodiciASP) \
    X(CCategorieLinSet, CategorieLingue) \
    X(CCategorieProdottiSet, CategorieProdotti) \
    X(CChiSiamoSet, ChiSiamo) \
    X(CClassiCSSSet, ClassiCSS) \
    X(CClientiSet, Clienti) \
    X(CCodiceASPSet, CodiceASP) \
    X(CCondizioniVenditaSet, CondizioniVendita) \
    X(CConfigurazioneSet, Configurazione) \
    X(CCorrelazioniSet, Correlazioni) \
    X(CDefCampiCustomSet, DefinizioneCampiCustom) \
    X(CDizionarioGenSet, Dizionario) \
    X(CDizionarioLinSet, DizionarioLingue) \
    X(CGruppiSet, Gruppi) \
    X(CInteressiSet, Interessi) \
    X(CInteressiLingueSet, InteressiLingue) \
    X(CInteressiUtentiSet, InteressiUtenti) \
    X(CInterventiForumSet, InterventiForum) \
    X(CLingueSet, Lingue) \
    X(CModuliSet, Moduli) \
    X(CModuliCampiSet, ModuliCampi) \
    X(CModuliCampiLingueSet, ModuliCampiLingue) \
    X(CModuliLingueSet, ModuliLingue) \
    X(CModuliOpzioniSet, ModuliOpzioni) \
    X(CModuliOpzioniLingueSet, ModuliOpzioniLingue) \
    X(COTPRichiesteSet, OTPRichieste) \
    X(COTPRisposteSet, OTPRisposte) \
    X(COpzioniSet, Opzioni) \
    X(COrdiniGeneraleSet, Ordini) \
    X(COrdiniDettaglioSet, OrdiniDettaglio) \
    X(CParametriSet, Parametri) \
    X(CParoleChiaveSet, ParoleChiave) \
    X(CPermessiSet, Permessi) \
    X(CProdottiGeneraleSet, Prodotti) \
    X(CProdottiColoriSet, ProdottiColori) \
    X(CProdottiLingueSet, ProdottiLingue) \
    X(CRecordsEliminatiSet, RecordsEliminati) \
    X(CScontiProdottoSet, ScontiProdotto) \
    X(CSezioniSet, Sezioni) \
    X(CSezioniArticoliSet, SezioniArticoli) \
    X(CSezioniLingueSet, SezioniLingue) \
    X(CSSpedizioneSet, SpeseSpedizione) \
    X(CStatoOrdiniGeneraleSet, StatoOrdini) \
    X(CStatoOrdiniLingueSet, StatoOrdiniLingue) \
    X(CTemplateSet, Template) \
    X(CNotificaClienteSet, TestoNotificaOrdine) \
    X(CTipoBannerSet, TipoBanner) \
    X(CValoriTaglieSet, ValoriTaglie) \
    X(CValuteSet, Valute)
