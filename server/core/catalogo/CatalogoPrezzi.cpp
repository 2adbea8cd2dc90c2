#include "server/core/catalogo/CatalogoPrezzi.h"

#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoFonteScontiAdo.h"
#include "server/core/catalogo/CatalogoImporti.h"
#include "server/core/catalogo/CatalogoMotorePrezzi.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

CatalogoPrezzi::CatalogoPrezzi(Catalogo& catalogo, CatalogoVisitatore& visitatore)
    : m_catalogo(catalogo), m_visitatore(visitatore)
{
}

CatalogoPrezzi::~CatalogoPrezzi() = default;

CatalogoFonteScontiAdo& CatalogoPrezzi::Fonte()
{
    if (!m_fonte)
        m_fonte = std::make_unique<CatalogoFonteScontiAdo>(m_visitatore.Connection());
    return *m_fonte;
}

void CatalogoPrezzi::Rilascia()
{
    m_fonte.reset();
}

void CatalogoPrezzi::CalcolaPrezzo()
{
    m_catalogo.PrezzoListino = m_prezzo.prezzoProdottoVL;
    const CatalogoMotorePrezzi motore(Fonte(), m_visitatore.Cambi(), m_visitatore.Oggi());
    if (m_prezzo.offerta && QtrVisitatore::Listino(*m_visitatore.Session()) == 0)
        motore.ApplicaOffertaProdotto(m_prezzo);
    m_catalogo.PrezzoInizialeVL = m_prezzo.prezzoProdottoVL;
    motore.CalcolaScontiCliente(m_prezzo, m_visitatore.IdUtente());
}

void CatalogoPrezzi::CalcolaImporti()
{
    Catalogo& c = m_catalogo;
    const CatalogoImporti importi =
        CatalogoImporti::Calcola(m_prezzo.prezzoProdottoVL, c.PrezzoListino, c.IVAProdotto, m_visitatore.Cambi(),
                                 m_visitatore.SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa")));
    m_prezzo.prezzoProdottoVL = importi.prezzoProdottoVL;
    c.ImpostaProdottoVL = importi.impostaProdottoVL;
    c.PrezzoProdotto = importi.prezzoProdotto;
    c.ImpostaProdotto = importi.impostaProdotto;
    c.PrezzoListino = importi.prezzoListino;
    c.PrezzoProdottoInEuro = importi.prezzoProdottoInEuro;
    c.ImpostaProdottoInEuro = importi.impostaProdottoInEuro;
    c.PrezzoListinoInEuro = importi.prezzoListinoInEuro;
    c.FPrezzoProdottoVL = importi.fPrezzoProdottoVL;
    c.FImpostaProdottoVL = importi.fImpostaProdottoVL;
    c.FPrezzoProdotto = importi.fPrezzoProdotto;
    c.FImpostaProdotto = importi.fImpostaProdotto;
    c.FPrezzoListino = importi.fPrezzoListino;
    c.FPrezzoProdottoInEuro = importi.fPrezzoProdottoInEuro;
    c.FImpostaProdottoInEuro = importi.fImpostaProdottoInEuro;
    c.FPrezzoListinoInEuro = importi.fPrezzoListinoInEuro;
}
