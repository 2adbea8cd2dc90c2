#pragma once

#include "server/core/catalogo/CatalogoDiritti.h"
#include "server/core/catalogo/CatalogoPrezzo.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>

class CAdoConnection;
class CAdoRecordset;
class Catalogo;
class CatalogoSql;
class IAspServer;
class IAspSession;

// The catalogue's visitor as the Session and the request describe him: his
// rights, language, currency values and the day, and the way to the
// catalogue's connection, Session and request for the catalogue's other
// parts.
class CatalogoVisitatore
{
public:
    explicit CatalogoVisitatore(Catalogo& catalogo) : m_catalogo(catalogo) {}

    CAdoConnection* Connection() const;
    IAspServer* Server() const;
    IAspSession* Session() const;
    QVariant SessionValue(const QString& key) const;
    QString SessionText(const QString& key) const;
    bool SessionFlag(const QString& key) const;
    void SetSessionPagina(const QString& key, const QVariant& value) const;
    QString RequestValue(const QString& key) const;

    // The Session's ID under chiave; invalid when empty.
    QVariant IdSessione(const char* chiave) const;
    // What Permessi hides from the visitor.
    const CatalogoDiritti& Diritti();
    std::optional<qint32> IdUtente() const;
    // An ID argument, or the request's value under chiave when it is 0 or
    // left out.
    std::optional<qint32> IdArgomento(const QVariant& argomento, const char* chiave) const;
    QString LinguaVisitatore();
    QString LinguaPredefinita() const;
    bool LinguaAttiva(const QString& codice);
    // Opens the row of id in the visitor's language, else in the default
    // one; sql takes the language, then the id.
    // tenuta: the rows are kept between pages (see CacheNegozio).
    bool ApriInLingua(CAdoRecordset& rs, const QString& sql, qint32 id, bool tenuta = false);
    // The visitor's rights and the novelty and offer switches.
    void FiltriProdotti(CatalogoSql& sql);
    CatalogoCambi Cambi() const;

    // The day the offer and discount windows are judged on; today unless a
    // test fixes it.
    QDate Oggi() const;
    void ImpostaOggi(const QDate& oggi) { m_oggi = oggi; }

private:
    Catalogo& m_catalogo;
    QDate m_oggi;
    std::optional<QSet<QString>> m_lingueAttive;
    std::optional<CatalogoDiritti> m_diritti;
};
