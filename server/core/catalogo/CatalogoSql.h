#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>

// A query of the catalogue and its values, put together clause by clause;
// every value from the visitor's request or Session is bound, never
// written into the text.
struct CatalogoDiritti;

class CatalogoSql
{
public:
    explicit CatalogoSql(const QString& testo = QString()) : m_testo(testo) {}

    CatalogoSql& Aggiungi(const QString& testo, const QVariantList& parametri = {});

    // What Permessi hides from the visitor's group or from the visitor: a
    // row of kind 0 on any category of the product, of kind 1 on the
    // product. A missing group or user is bound as null and hides nothing.
    CatalogoSql& DirittiProdotto(const QVariant& idGruppo, const QVariant& idUtente);
    // The same from the rows already read for the visitor: their IDs are
    // bound in place of the lookups.
    CatalogoSql& DirittiProdotto(const CatalogoDiritti& diritti);
    // Rows of kind 0 on the category itself.
    CatalogoSql& DirittiCategoria(const QVariant& idGruppo, const QVariant& idUtente);
    // FlagNovita and FlagOfferte: 1 only new or only on offer today, -1
    // only the others, anything else no filter.
    CatalogoSql& NovitaOfferte(qint32 flagNovita, qint32 flagOfferte, const QDate& oggi);

    // "?, ?, ?" for a list of so many values, and the IDs as values.
    static QString Segnaposti(qsizetype quanti);
    // The most products a page reads together; past this many they are read
    // one by one, as the engines limit the values one statement binds.
    static constexpr qsizetype kMassimoProdottiInsieme = 200;
    static QVariantList Valori(const QList<qint32>& ids);

    const QString& Testo() const { return m_testo; }
    const QVariantList& Parametri() const { return m_parametri; }

private:
    QString m_testo;
    QVariantList m_parametri;
};
