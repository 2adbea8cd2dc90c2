#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"
#include "server/core/catalogo/CatalogoCategorie.h"
#include "server/core/catalogo/CatalogoColori.h"
#include "server/core/catalogo/CatalogoImmagini.h"
#include "server/core/catalogo/CatalogoPrezzi.h"
#include "server/core/catalogo/CatalogoProdotti.h"
#include "server/core/catalogo/CatalogoScheda.h"
#include "server/core/catalogo/CatalogoVarianti.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

#include <QDate>
#include <QDateTime>

// The shopper's catalogue: categories, product lists by page, one product
// with its prices, colours, sizes, custom fields and variants, and a random
// showcase. Each read method fills the public properties, which the page
// then prints. The catalogue only answers the page: each job is done by a
// class of its own (CatalogoCategorie, CatalogoProdotti, CatalogoScheda,
// CatalogoPrezzi, CatalogoImmagini, CatalogoColori, CatalogoVarianti), so a
// fault in one is found in its own file. The visitor's rights, language and price list come from the
// Session that the session set-up wrote.
//
// The anonymous visitor is the customer row that the set-up chose for him
// (the Clienti row 0 as a rule): its discounts and its group's apply to
// him as to anyone. A Session that names no customer gets no discount.
class Catalogo : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(QString SimboloValuta MEMBER SimboloValuta)
    Q_PROPERTY(qint16 LunghezzaPaginaProdotti MEMBER LunghezzaPaginaProdotti)
    Q_PROPERTY(qint16 LunghezzaPaginaRicerca MEMBER LunghezzaPaginaRicerca)
    Q_PROPERTY(qint32 IDCategoria MEMBER IDCategoria)
    Q_PROPERTY(bool FlagSottoCategorie MEMBER FlagSottoCategorie)
    Q_PROPERTY(QString CodiceCategoria MEMBER CodiceCategoria)
    Q_PROPERTY(QString NomeCategoria MEMBER NomeCategoria)
    Q_PROPERTY(QString DescrizioneCategoria MEMBER DescrizioneCategoria)
    Q_PROPERTY(QString PercorsoFotoCategoria MEMBER PercorsoFotoCategoria)
    Q_PROPERTY(qint32 NumeroProdottiCategoria MEMBER NumeroProdottiCategoria)
    Q_PROPERTY(qint32 IDProdotto MEMBER IDProdotto)
    Q_PROPERTY(QString CodiceProdotto MEMBER CodiceProdotto)
    Q_PROPERTY(QString CodiceABarreProdotto MEMBER CodiceABarreProdotto)
    Q_PROPERTY(QString NomeProdotto MEMBER NomeProdotto)
    Q_PROPERTY(QString DescrizioneFatturaProdotto MEMBER DescrizioneFatturaProdotto)
    Q_PROPERTY(QString DescrizioneBreveProdotto MEMBER DescrizioneBreveProdotto)
    Q_PROPERTY(QString DescrizioneEstesaProdotto MEMBER DescrizioneEstesaProdotto)
    Q_PROPERTY(double PrezzoInizialeVL MEMBER PrezzoInizialeVL)
    Q_PROPERTY(double PrezzoProdottoVL READ PrezzoProdottoVL WRITE SetPrezzoProdottoVL)
    Q_PROPERTY(double PrezzoProdotto MEMBER PrezzoProdotto)
    Q_PROPERTY(double PrezzoProdottoInEuro MEMBER PrezzoProdottoInEuro)
    Q_PROPERTY(double PrezzoListino MEMBER PrezzoListino)
    Q_PROPERTY(double PrezzoListinoInEuro MEMBER PrezzoListinoInEuro)
    Q_PROPERTY(QString UMProdotto MEMBER UMProdotto)
    Q_PROPERTY(float IVAProdotto MEMBER IVAProdotto)
    Q_PROPERTY(double ImpostaProdottoVL MEMBER ImpostaProdottoVL)
    Q_PROPERTY(double ImpostaProdotto MEMBER ImpostaProdotto)
    Q_PROPERTY(double ImpostaProdottoInEuro MEMBER ImpostaProdottoInEuro)
    Q_PROPERTY(float PesoProdotto MEMBER PesoProdotto)
    Q_PROPERTY(float DisponibilitaProdotto MEMBER DisponibilitaProdotto)
    Q_PROPERTY(float ConfezioneProdotto MEMBER ConfezioneProdotto)
    Q_PROPERTY(bool Attivo MEMBER Attivo)
    Q_PROPERTY(bool Novita MEMBER Novita)
    Q_PROPERTY(bool Offerta READ Offerta WRITE SetOfferta)
    Q_PROPERTY(QDateTime ValiditaScontoDal READ ValiditaScontoDal WRITE SetValiditaScontoDal)
    Q_PROPERTY(QDateTime ValiditaScontoAl READ ValiditaScontoAl WRITE SetValiditaScontoAl)
    Q_PROPERTY(float ScontoProdotto READ ScontoProdotto WRITE SetScontoProdotto)
    Q_PROPERTY(qint32 NumeroTaglie MEMBER NumeroTaglie)
    Q_PROPERTY(QString PercorsoCategorie MEMBER PercorsoCategorie)
    Q_PROPERTY(qint32 NumeroCampiCustom MEMBER NumeroCampiCustom)
    Q_PROPERTY(QString NomeCampoCustom MEMBER NomeCampoCustom)
    Q_PROPERTY(QString ValoreCampoCustom MEMBER ValoreCampoCustom)
    Q_PROPERTY(QString PercorsoFotoProdotto MEMBER PercorsoFotoProdotto)
    Q_PROPERTY(QString PercorsoThumbnailProdotto MEMBER PercorsoThumbnailProdotto)
    Q_PROPERTY(QString PercorsoFotoColore MEMBER PercorsoFotoColore)
    Q_PROPERTY(QString PercorsoThumbnailColore MEMBER PercorsoThumbnailColore)
    Q_PROPERTY(QString PercorsoDettaglioColore MEMBER PercorsoDettaglioColore)
    Q_PROPERTY(QString PercorsoFileProdotto MEMBER PercorsoFileProdotto)
    Q_PROPERTY(qint32 PaginaCorrenteProdotti MEMBER PaginaCorrenteProdotti)
    Q_PROPERTY(qint32 TotalePagineProdotti MEMBER TotalePagineProdotti)
    Q_PROPERTY(qint32 PaginaCorrenteRicerca MEMBER PaginaCorrenteRicerca)
    Q_PROPERTY(qint32 TotalePagineRicerca MEMBER TotalePagineRicerca)
    Q_PROPERTY(qint32 NumeroRisultatiRicerca MEMBER NumeroRisultatiRicerca)
    Q_PROPERTY(QString Taglie MEMBER Taglie)
    Q_PROPERTY(qint32 NumeroColori MEMBER NumeroColori)
    Q_PROPERTY(qint32 IDColoreProdotto MEMBER IDColoreProdotto)
    Q_PROPERTY(QString CodiceColoreProdotto MEMBER CodiceColoreProdotto)
    Q_PROPERTY(QString DescrizioneColoreProdotto MEMBER DescrizioneColoreProdotto)
    Q_PROPERTY(QString Sconto READ Sconto WRITE SetSconto)
    Q_PROPERTY(QString PrezzoPromozionale READ PrezzoPromozionale WRITE SetPrezzoPromozionale)
    Q_PROPERTY(QString FPrezzoPromozionale READ FPrezzoPromozionale WRITE SetFPrezzoPromozionale)
    Q_PROPERTY(bool FlagScontoQuantitaAttivo READ FlagScontoQuantitaAttivo WRITE SetFlagScontoQuantitaAttivo)
    Q_PROPERTY(float LimiteQuantita1 READ LimiteQuantita1 WRITE SetLimiteQuantita1)
    Q_PROPERTY(float LimiteQuantita2 READ LimiteQuantita2 WRITE SetLimiteQuantita2)
    Q_PROPERTY(float LimiteQuantita3 READ LimiteQuantita3 WRITE SetLimiteQuantita3)
    Q_PROPERTY(float LimiteQuantita4 READ LimiteQuantita4 WRITE SetLimiteQuantita4)
    Q_PROPERTY(float LimiteQuantita5 READ LimiteQuantita5 WRITE SetLimiteQuantita5)
    Q_PROPERTY(float LimiteQuantita6 READ LimiteQuantita6 WRITE SetLimiteQuantita6)
    Q_PROPERTY(float LimiteQuantita7 READ LimiteQuantita7 WRITE SetLimiteQuantita7)
    Q_PROPERTY(float LimiteQuantita8 READ LimiteQuantita8 WRITE SetLimiteQuantita8)
    Q_PROPERTY(float LimiteQuantita9 READ LimiteQuantita9 WRITE SetLimiteQuantita9)
    Q_PROPERTY(QString Sconto1 READ Sconto1 WRITE SetSconto1)
    Q_PROPERTY(QString Sconto2 READ Sconto2 WRITE SetSconto2)
    Q_PROPERTY(QString Sconto3 READ Sconto3 WRITE SetSconto3)
    Q_PROPERTY(QString Sconto4 READ Sconto4 WRITE SetSconto4)
    Q_PROPERTY(QString Sconto5 READ Sconto5 WRITE SetSconto5)
    Q_PROPERTY(QString Sconto6 READ Sconto6 WRITE SetSconto6)
    Q_PROPERTY(QString Sconto7 READ Sconto7 WRITE SetSconto7)
    Q_PROPERTY(QString Sconto8 READ Sconto8 WRITE SetSconto8)
    Q_PROPERTY(QString Sconto9 READ Sconto9 WRITE SetSconto9)
    Q_PROPERTY(double PrezzoPromo1VL READ PrezzoPromo1VL WRITE SetPrezzoPromo1VL)
    Q_PROPERTY(double PrezzoPromo2VL READ PrezzoPromo2VL WRITE SetPrezzoPromo2VL)
    Q_PROPERTY(double PrezzoPromo3VL READ PrezzoPromo3VL WRITE SetPrezzoPromo3VL)
    Q_PROPERTY(double PrezzoPromo4VL READ PrezzoPromo4VL WRITE SetPrezzoPromo4VL)
    Q_PROPERTY(double PrezzoPromo5VL READ PrezzoPromo5VL WRITE SetPrezzoPromo5VL)
    Q_PROPERTY(double PrezzoPromo6VL READ PrezzoPromo6VL WRITE SetPrezzoPromo6VL)
    Q_PROPERTY(double PrezzoPromo7VL READ PrezzoPromo7VL WRITE SetPrezzoPromo7VL)
    Q_PROPERTY(double PrezzoPromo8VL READ PrezzoPromo8VL WRITE SetPrezzoPromo8VL)
    Q_PROPERTY(double PrezzoPromo9VL READ PrezzoPromo9VL WRITE SetPrezzoPromo9VL)
    Q_PROPERTY(double PrezzoPromo1 READ PrezzoPromo1 WRITE SetPrezzoPromo1)
    Q_PROPERTY(double PrezzoPromo2 READ PrezzoPromo2 WRITE SetPrezzoPromo2)
    Q_PROPERTY(double PrezzoPromo3 READ PrezzoPromo3 WRITE SetPrezzoPromo3)
    Q_PROPERTY(double PrezzoPromo4 READ PrezzoPromo4 WRITE SetPrezzoPromo4)
    Q_PROPERTY(double PrezzoPromo5 READ PrezzoPromo5 WRITE SetPrezzoPromo5)
    Q_PROPERTY(double PrezzoPromo6 READ PrezzoPromo6 WRITE SetPrezzoPromo6)
    Q_PROPERTY(double PrezzoPromo7 READ PrezzoPromo7 WRITE SetPrezzoPromo7)
    Q_PROPERTY(double PrezzoPromo8 READ PrezzoPromo8 WRITE SetPrezzoPromo8)
    Q_PROPERTY(double PrezzoPromo9 READ PrezzoPromo9 WRITE SetPrezzoPromo9)
    Q_PROPERTY(QString FPrezzoPromo1 READ FPrezzoPromo1 WRITE SetFPrezzoPromo1)
    Q_PROPERTY(QString FPrezzoPromo2 READ FPrezzoPromo2 WRITE SetFPrezzoPromo2)
    Q_PROPERTY(QString FPrezzoPromo3 READ FPrezzoPromo3 WRITE SetFPrezzoPromo3)
    Q_PROPERTY(QString FPrezzoPromo4 READ FPrezzoPromo4 WRITE SetFPrezzoPromo4)
    Q_PROPERTY(QString FPrezzoPromo5 READ FPrezzoPromo5 WRITE SetFPrezzoPromo5)
    Q_PROPERTY(QString FPrezzoPromo6 READ FPrezzoPromo6 WRITE SetFPrezzoPromo6)
    Q_PROPERTY(QString FPrezzoPromo7 READ FPrezzoPromo7 WRITE SetFPrezzoPromo7)
    Q_PROPERTY(QString FPrezzoPromo8 READ FPrezzoPromo8 WRITE SetFPrezzoPromo8)
    Q_PROPERTY(QString FPrezzoPromo9 READ FPrezzoPromo9 WRITE SetFPrezzoPromo9)
    Q_PROPERTY(qint16 FlagNovita MEMBER FlagNovita)
    Q_PROPERTY(qint16 FlagOfferte MEMBER FlagOfferte)
    Q_PROPERTY(QString FPrezzoProdottoVL MEMBER FPrezzoProdottoVL)
    Q_PROPERTY(QString FPrezzoProdotto MEMBER FPrezzoProdotto)
    Q_PROPERTY(QString FPrezzoProdottoInEuro MEMBER FPrezzoProdottoInEuro)
    Q_PROPERTY(QString FPrezzoListino MEMBER FPrezzoListino)
    Q_PROPERTY(QString FPrezzoListinoInEuro MEMBER FPrezzoListinoInEuro)
    Q_PROPERTY(QString FImpostaProdottoVL MEMBER FImpostaProdottoVL)
    Q_PROPERTY(QString FImpostaProdotto MEMBER FImpostaProdotto)
    Q_PROPERTY(QString FImpostaProdottoInEuro MEMBER FImpostaProdottoInEuro)

public:
    explicit Catalogo(QObject* parent = nullptr);
    ~Catalogo() override;

    QString SimboloValuta;
    qint16 LunghezzaPaginaProdotti = 0;
    qint16 LunghezzaPaginaRicerca = 0;
    qint32 IDCategoria = 0;
    bool FlagSottoCategorie = false;
    QString CodiceCategoria;
    QString NomeCategoria;
    QString DescrizioneCategoria;
    QString PercorsoFotoCategoria;
    qint32 NumeroProdottiCategoria = 0;
    qint32 IDProdotto = 0;
    QString CodiceProdotto;
    QString CodiceABarreProdotto;
    QString NomeProdotto;
    QString DescrizioneFatturaProdotto;
    QString DescrizioneBreveProdotto;
    QString DescrizioneEstesaProdotto;
    double PrezzoInizialeVL = 0;
    double PrezzoProdotto = 0;
    double PrezzoProdottoInEuro = 0;
    double PrezzoListino = 0;
    double PrezzoListinoInEuro = 0;
    QString UMProdotto;
    float IVAProdotto = 0;
    double ImpostaProdottoVL = 0;
    double ImpostaProdotto = 0;
    double ImpostaProdottoInEuro = 0;
    float PesoProdotto = 0;
    float DisponibilitaProdotto = 0;
    float ConfezioneProdotto = 0;
    bool Attivo = false;
    bool Novita = false;
    qint32 NumeroTaglie = 0;
    QString PercorsoCategorie;
    qint32 NumeroCampiCustom = 0;
    QString NomeCampoCustom;
    QString ValoreCampoCustom;
    QString PercorsoFotoProdotto;
    QString PercorsoThumbnailProdotto;
    QString PercorsoFotoColore;
    QString PercorsoThumbnailColore;
    QString PercorsoDettaglioColore;
    QString PercorsoFileProdotto;
    qint32 PaginaCorrenteProdotti = 0;
    qint32 TotalePagineProdotti = 0;
    qint32 PaginaCorrenteRicerca = 0;
    qint32 TotalePagineRicerca = 0;
    qint32 NumeroRisultatiRicerca = 0;
    QString Taglie;
    qint32 NumeroColori = 0;
    qint32 IDColoreProdotto = 0;
    QString CodiceColoreProdotto;
    QString DescrizioneColoreProdotto;
    qint16 FlagNovita = 0;
    qint16 FlagOfferte = 0;
    QString FPrezzoProdottoVL;
    QString FPrezzoProdotto;
    QString FPrezzoProdottoInEuro;
    QString FPrezzoListino;
    QString FPrezzoListinoInEuro;
    QString FImpostaProdottoVL;
    QString FImpostaProdotto;
    QString FImpostaProdottoInEuro;

    double PrezzoProdottoVL() const { return m_prezzi.Prezzo().prezzoProdottoVL; }
    void SetPrezzoProdottoVL(double v) { m_prezzi.Prezzo().prezzoProdottoVL = v; }
    bool Offerta() const { return m_prezzi.Prezzo().offerta; }
    void SetOfferta(bool v) { m_prezzi.Prezzo().offerta = v; }
    QDateTime ValiditaScontoDal() const { return m_prezzi.Prezzo().validitaScontoDal; }
    void SetValiditaScontoDal(const QDateTime& v) { m_prezzi.Prezzo().validitaScontoDal = v; }
    QDateTime ValiditaScontoAl() const { return m_prezzi.Prezzo().validitaScontoAl; }
    void SetValiditaScontoAl(const QDateTime& v) { m_prezzi.Prezzo().validitaScontoAl = v; }
    float ScontoProdotto() const { return m_prezzi.Prezzo().scontoProdotto; }
    void SetScontoProdotto(float v) { m_prezzi.Prezzo().scontoProdotto = v; }
    QString Sconto() const { return m_prezzi.Prezzo().sconto; }
    void SetSconto(const QString& v) { m_prezzi.Prezzo().sconto = v; }
    QString PrezzoPromozionale() const { return m_prezzi.Prezzo().prezzoPromozionale; }
    void SetPrezzoPromozionale(const QString& v) { m_prezzi.Prezzo().prezzoPromozionale = v; }
    QString FPrezzoPromozionale() const { return m_prezzi.Prezzo().fPrezzoPromozionale; }
    void SetFPrezzoPromozionale(const QString& v) { m_prezzi.Prezzo().fPrezzoPromozionale = v; }
    bool FlagScontoQuantitaAttivo() const { return m_prezzi.Prezzo().flagScontoQuantitaAttivo; }
    void SetFlagScontoQuantitaAttivo(bool v) { m_prezzi.Prezzo().flagScontoQuantitaAttivo = v; }
    float LimiteQuantita1() const { return m_prezzi.Prezzo().fasce[0].limite; }
    void SetLimiteQuantita1(float v) { m_prezzi.Prezzo().fasce[0].limite = v; }
    float LimiteQuantita2() const { return m_prezzi.Prezzo().fasce[1].limite; }
    void SetLimiteQuantita2(float v) { m_prezzi.Prezzo().fasce[1].limite = v; }
    float LimiteQuantita3() const { return m_prezzi.Prezzo().fasce[2].limite; }
    void SetLimiteQuantita3(float v) { m_prezzi.Prezzo().fasce[2].limite = v; }
    float LimiteQuantita4() const { return m_prezzi.Prezzo().fasce[3].limite; }
    void SetLimiteQuantita4(float v) { m_prezzi.Prezzo().fasce[3].limite = v; }
    float LimiteQuantita5() const { return m_prezzi.Prezzo().fasce[4].limite; }
    void SetLimiteQuantita5(float v) { m_prezzi.Prezzo().fasce[4].limite = v; }
    float LimiteQuantita6() const { return m_prezzi.Prezzo().fasce[5].limite; }
    void SetLimiteQuantita6(float v) { m_prezzi.Prezzo().fasce[5].limite = v; }
    float LimiteQuantita7() const { return m_prezzi.Prezzo().fasce[6].limite; }
    void SetLimiteQuantita7(float v) { m_prezzi.Prezzo().fasce[6].limite = v; }
    float LimiteQuantita8() const { return m_prezzi.Prezzo().fasce[7].limite; }
    void SetLimiteQuantita8(float v) { m_prezzi.Prezzo().fasce[7].limite = v; }
    float LimiteQuantita9() const { return m_prezzi.Prezzo().fasce[8].limite; }
    void SetLimiteQuantita9(float v) { m_prezzi.Prezzo().fasce[8].limite = v; }
    QString Sconto1() const { return m_prezzi.Prezzo().fasce[0].sconto; }
    void SetSconto1(const QString& v) { m_prezzi.Prezzo().fasce[0].sconto = v; }
    QString Sconto2() const { return m_prezzi.Prezzo().fasce[1].sconto; }
    void SetSconto2(const QString& v) { m_prezzi.Prezzo().fasce[1].sconto = v; }
    QString Sconto3() const { return m_prezzi.Prezzo().fasce[2].sconto; }
    void SetSconto3(const QString& v) { m_prezzi.Prezzo().fasce[2].sconto = v; }
    QString Sconto4() const { return m_prezzi.Prezzo().fasce[3].sconto; }
    void SetSconto4(const QString& v) { m_prezzi.Prezzo().fasce[3].sconto = v; }
    QString Sconto5() const { return m_prezzi.Prezzo().fasce[4].sconto; }
    void SetSconto5(const QString& v) { m_prezzi.Prezzo().fasce[4].sconto = v; }
    QString Sconto6() const { return m_prezzi.Prezzo().fasce[5].sconto; }
    void SetSconto6(const QString& v) { m_prezzi.Prezzo().fasce[5].sconto = v; }
    QString Sconto7() const { return m_prezzi.Prezzo().fasce[6].sconto; }
    void SetSconto7(const QString& v) { m_prezzi.Prezzo().fasce[6].sconto = v; }
    QString Sconto8() const { return m_prezzi.Prezzo().fasce[7].sconto; }
    void SetSconto8(const QString& v) { m_prezzi.Prezzo().fasce[7].sconto = v; }
    QString Sconto9() const { return m_prezzi.Prezzo().fasce[8].sconto; }
    void SetSconto9(const QString& v) { m_prezzi.Prezzo().fasce[8].sconto = v; }
    double PrezzoPromo1VL() const { return m_prezzi.Prezzo().fasce[0].prezzoPromoVL; }
    void SetPrezzoPromo1VL(double v) { m_prezzi.Prezzo().fasce[0].prezzoPromoVL = v; }
    double PrezzoPromo2VL() const { return m_prezzi.Prezzo().fasce[1].prezzoPromoVL; }
    void SetPrezzoPromo2VL(double v) { m_prezzi.Prezzo().fasce[1].prezzoPromoVL = v; }
    double PrezzoPromo3VL() const { return m_prezzi.Prezzo().fasce[2].prezzoPromoVL; }
    void SetPrezzoPromo3VL(double v) { m_prezzi.Prezzo().fasce[2].prezzoPromoVL = v; }
    double PrezzoPromo4VL() const { return m_prezzi.Prezzo().fasce[3].prezzoPromoVL; }
    void SetPrezzoPromo4VL(double v) { m_prezzi.Prezzo().fasce[3].prezzoPromoVL = v; }
    double PrezzoPromo5VL() const { return m_prezzi.Prezzo().fasce[4].prezzoPromoVL; }
    void SetPrezzoPromo5VL(double v) { m_prezzi.Prezzo().fasce[4].prezzoPromoVL = v; }
    double PrezzoPromo6VL() const { return m_prezzi.Prezzo().fasce[5].prezzoPromoVL; }
    void SetPrezzoPromo6VL(double v) { m_prezzi.Prezzo().fasce[5].prezzoPromoVL = v; }
    double PrezzoPromo7VL() const { return m_prezzi.Prezzo().fasce[6].prezzoPromoVL; }
    void SetPrezzoPromo7VL(double v) { m_prezzi.Prezzo().fasce[6].prezzoPromoVL = v; }
    double PrezzoPromo8VL() const { return m_prezzi.Prezzo().fasce[7].prezzoPromoVL; }
    void SetPrezzoPromo8VL(double v) { m_prezzi.Prezzo().fasce[7].prezzoPromoVL = v; }
    double PrezzoPromo9VL() const { return m_prezzi.Prezzo().fasce[8].prezzoPromoVL; }
    void SetPrezzoPromo9VL(double v) { m_prezzi.Prezzo().fasce[8].prezzoPromoVL = v; }
    double PrezzoPromo1() const { return m_prezzi.Prezzo().fasce[0].prezzoPromo; }
    void SetPrezzoPromo1(double v) { m_prezzi.Prezzo().fasce[0].prezzoPromo = v; }
    double PrezzoPromo2() const { return m_prezzi.Prezzo().fasce[1].prezzoPromo; }
    void SetPrezzoPromo2(double v) { m_prezzi.Prezzo().fasce[1].prezzoPromo = v; }
    double PrezzoPromo3() const { return m_prezzi.Prezzo().fasce[2].prezzoPromo; }
    void SetPrezzoPromo3(double v) { m_prezzi.Prezzo().fasce[2].prezzoPromo = v; }
    double PrezzoPromo4() const { return m_prezzi.Prezzo().fasce[3].prezzoPromo; }
    void SetPrezzoPromo4(double v) { m_prezzi.Prezzo().fasce[3].prezzoPromo = v; }
    double PrezzoPromo5() const { return m_prezzi.Prezzo().fasce[4].prezzoPromo; }
    void SetPrezzoPromo5(double v) { m_prezzi.Prezzo().fasce[4].prezzoPromo = v; }
    double PrezzoPromo6() const { return m_prezzi.Prezzo().fasce[5].prezzoPromo; }
    void SetPrezzoPromo6(double v) { m_prezzi.Prezzo().fasce[5].prezzoPromo = v; }
    double PrezzoPromo7() const { return m_prezzi.Prezzo().fasce[6].prezzoPromo; }
    void SetPrezzoPromo7(double v) { m_prezzi.Prezzo().fasce[6].prezzoPromo = v; }
    double PrezzoPromo8() const { return m_prezzi.Prezzo().fasce[7].prezzoPromo; }
    void SetPrezzoPromo8(double v) { m_prezzi.Prezzo().fasce[7].prezzoPromo = v; }
    double PrezzoPromo9() const { return m_prezzi.Prezzo().fasce[8].prezzoPromo; }
    void SetPrezzoPromo9(double v) { m_prezzi.Prezzo().fasce[8].prezzoPromo = v; }
    QString FPrezzoPromo1() const { return m_prezzi.Prezzo().fasce[0].fPrezzoPromo; }
    void SetFPrezzoPromo1(const QString& v) { m_prezzi.Prezzo().fasce[0].fPrezzoPromo = v; }
    QString FPrezzoPromo2() const { return m_prezzi.Prezzo().fasce[1].fPrezzoPromo; }
    void SetFPrezzoPromo2(const QString& v) { m_prezzi.Prezzo().fasce[1].fPrezzoPromo = v; }
    QString FPrezzoPromo3() const { return m_prezzi.Prezzo().fasce[2].fPrezzoPromo; }
    void SetFPrezzoPromo3(const QString& v) { m_prezzi.Prezzo().fasce[2].fPrezzoPromo = v; }
    QString FPrezzoPromo4() const { return m_prezzi.Prezzo().fasce[3].fPrezzoPromo; }
    void SetFPrezzoPromo4(const QString& v) { m_prezzi.Prezzo().fasce[3].fPrezzoPromo = v; }
    QString FPrezzoPromo5() const { return m_prezzi.Prezzo().fasce[4].fPrezzoPromo; }
    void SetFPrezzoPromo5(const QString& v) { m_prezzi.Prezzo().fasce[4].fPrezzoPromo = v; }
    QString FPrezzoPromo6() const { return m_prezzi.Prezzo().fasce[5].fPrezzoPromo; }
    void SetFPrezzoPromo6(const QString& v) { m_prezzi.Prezzo().fasce[5].fPrezzoPromo = v; }
    QString FPrezzoPromo7() const { return m_prezzi.Prezzo().fasce[6].fPrezzoPromo; }
    void SetFPrezzoPromo7(const QString& v) { m_prezzi.Prezzo().fasce[6].fPrezzoPromo = v; }
    QString FPrezzoPromo8() const { return m_prezzi.Prezzo().fasce[7].fPrezzoPromo; }
    void SetFPrezzoPromo8(const QString& v) { m_prezzi.Prezzo().fasce[7].fPrezzoPromo = v; }
    QString FPrezzoPromo9() const { return m_prezzi.Prezzo().fasce[8].fPrezzoPromo; }
    void SetFPrezzoPromo9(const QString& v) { m_prezzi.Prezzo().fasce[8].fPrezzoPromo = v; }

    Q_INVOKABLE void ImpostaPaginaNovita(const QVariant& N);
    Q_INVOKABLE void ImpostaPaginaOfferte(const QVariant& O);
    Q_INVOKABLE void ImpostaCalcoloNumeroProdottiCategoria(const QVariant& F);
    Q_INVOKABLE void ImpostaSelezioneCustom(const QString& Sc = QString());
    Q_INVOKABLE void SetConn(QObject* Connect);

    // Category browsing.
    Q_INVOKABLE bool LeggiCategoria(const QVariant& IDCat);
    Q_INVOKABLE bool ApriPaginaCategorie(const QVariant& IDCat = 0);
    Q_INVOKABLE bool LeggiCategoriaSuccessiva();
    Q_INVOKABLE void ChiudiPaginaCategorie();
    Q_INVOKABLE bool ControlloFotoCategorie();
    Q_INVOKABLE bool ControlloCategoriaPadre(const QVariant& IDTestCat, const QVariant& IDParentCat = 0);

    // Product pages.
    Q_INVOKABLE void DisattivaCategorie();
    Q_INVOKABLE bool ApriPaginaProdotti(const QVariant& Pag = 0, const QVariant& IDCatPar = 0);
    Q_INVOKABLE bool LeggiProdottoSuccessivo();
    Q_INVOKABLE bool LeggiPrimoProdotto();
    Q_INVOKABLE void ChiudiPaginaProdotti();
    Q_INVOKABLE bool LeggiProdotto(const QVariant& ID = 0);
    Q_INVOKABLE bool ControlloPrimaPaginaProdotti();
    Q_INVOKABLE bool ControlloUltimaPaginaProdotti();

    // Photo and file checks.
    Q_INVOKABLE bool ControlloFileProdotti(const QString& Codice);
    Q_INVOKABLE bool ControlloFotoProdotti();
    Q_INVOKABLE bool ControlloFotoColore();
    Q_INVOKABLE bool ControlloDettaglioColore();

    // The loaded product's custom fields and sizes.
    Q_INVOKABLE QString LeggiCampoCustom(const QVariant& N);
    Q_INVOKABLE QString LeggiTaglia(const QVariant& i);

    // A product's categories, colours and variants.
    Q_INVOKABLE bool LeggiPrimaCategoriaProdotto();
    Q_INVOKABLE bool LeggiCategoriaProdottoSuccessiva();
    Q_INVOKABLE bool LeggiPrimoColore();
    Q_INVOKABLE bool LeggiColoreSuccessivo();
    Q_INVOKABLE bool LeggiColore(const QVariant& ID = 0);
    Q_INVOKABLE bool LeggiPrimaVariante(const QVariant& ID = 0);
    Q_INVOKABLE bool LeggiVarianteSuccessiva();

    // The random showcase.
    Q_INVOKABLE bool ApriListaProdottiCasuali(const QVariant& IDCatPar = 0);
    Q_INVOKABLE void LeggiProdottoCasualeSuccessivo();
    Q_INVOKABLE void ChiudiListaProdottiCasuali();

    // The day the offer and discount windows are judged on; today unless a
    // test fixes it.
    void ImpostaOggi(const QDate& oggi) { m_visitatore.ImpostaOggi(oggi); }

protected:
    void Start() override;
    void ReleaseRecordsets() override;

private:
    // The visitor reaches the Session, the request and the connection for
    // the other parts.
    friend class CatalogoVisitatore;

    CatalogoVisitatore m_visitatore{*this};
    CatalogoPrezzi m_prezzi{*this, m_visitatore};
    CatalogoImmagini m_immagini{*this, m_visitatore};
    CatalogoCategorie m_categorie{*this, m_visitatore};
    CatalogoColori m_colori{*this, m_visitatore};
    CatalogoScheda m_scheda{*this, m_visitatore, m_prezzi, m_colori};
    CatalogoProdotti m_prodotti{*this, m_visitatore, m_prezzi, m_scheda};
    CatalogoVarianti m_varianti{*this, m_visitatore, m_prodotti, m_scheda};
};
