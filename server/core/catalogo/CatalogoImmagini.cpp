#include "server/core/catalogo/CatalogoImmagini.h"

#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoFile.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

#include <QStringList>

namespace {

const QString kCartellaProdotti = QStringLiteral("/images/prodotti/");
const QString kCartellaThumbnail = QStringLiteral("/images/prodotti/th/");
const QString kCartellaColori = QStringLiteral("/images/prodotti/colori/");
const QString kCartellaThumbnailColori = QStringLiteral("/images/prodotti/colori/th/");
const QString kCartellaDettagli = QStringLiteral("/images/prodotti/colori/dettagli/");
const QString kCartellaCategorie = QStringLiteral("/images/categorie/");

} // namespace

CatalogoFile CatalogoImmagini::File() const { return CatalogoFile(*m_visitatore.Server()); }

bool CatalogoImmagini::FotoCategoria()
{
    // Only codes of the shop's languages become folder names.
    QStringList lingue;
    for (const QString& lingua : {m_visitatore.LinguaVisitatore(), m_visitatore.LinguaPredefinita()}) {
        if (!lingua.isEmpty() && m_visitatore.LinguaAttiva(lingua) && !lingue.contains(lingua))
            lingue << lingua;
    }
    for (const QString& lingua : lingue) {
        if (File().Foto(kCartellaCategorie + lingua + QLatin1Char('/'), m_catalogo.IDCategoria,
                        m_catalogo.PercorsoFotoCategoria))
            return true;
    }
    return false;
}

bool CatalogoImmagini::FotoProdotto()
{
    return File().Foto(kCartellaProdotti, m_catalogo.IDProdotto, m_catalogo.PercorsoFotoProdotto,
                       &m_catalogo.PercorsoThumbnailProdotto, kCartellaThumbnail);
}

bool CatalogoImmagini::FotoColore()
{
    return File().Foto(kCartellaColori, m_catalogo.IDColoreProdotto, m_catalogo.PercorsoFotoColore,
                       &m_catalogo.PercorsoThumbnailColore, kCartellaThumbnailColori);
}

bool CatalogoImmagini::DettaglioColore()
{
    return File().Foto(kCartellaDettagli, m_catalogo.IDColoreProdotto, m_catalogo.PercorsoDettaglioColore);
}

bool CatalogoImmagini::FileProdotto(const QString& codice)
{
    m_catalogo.PercorsoFileProdotto = File().FileProdotto(m_catalogo.IDProdotto, codice);
    return !m_catalogo.PercorsoFileProdotto.isEmpty();
}
