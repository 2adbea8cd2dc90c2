#pragma once

// Every table class with a visitor over its bound members, so the schema
// tests can drive all sixty classes from one table of cases.
//
// The list below is the only place the classes are named: a CMake step
// (recordset/tests/CMakeLists.txt) reads the class and table of each of its lines and
// writes TableClassVisitorsGenerated.h into the build folder, with each
// class's header and a
//   template <class Visit> void VisitMembers(Class& rs, Visit&& visit)
// that calls visit(member, column name) for every bound member, in binding
// order, from the table's .def file. Add a class here and its overload
// follows.

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

#include "TableClassVisitorsGenerated.h"
