#pragma once

#include "server/orders/Ordine.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/asp/testing/CAspTestPage.h"

#include <QList>
#include <QPair>
#include <QVariant>

#include <memory>

// A test shop and the order page a test opens on it, one page a request;
// the Session is the shop's one visitor, set and read by key.
class PaginaOrdineProva
{
protected:
    void Set(const QString& chiave, const QVariant& valore) { m_shop->Host().Session().SetValue(chiave, valore); }
    QVariant Session(const char* chiave) { return m_shop->Host().Session().Value(chiave); }

    Ordine* Pagina(const QList<QPair<QString, QString>>& query = {})
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod("GET");
        m_page->TestRequest().SetServerVariable("REMOTE_ADDR", m_indirizzo);
        for (const auto& [chiave, valore] : query)
            m_page->TestRequest().AddQueryString(chiave, valore);
        return m_page->Create<Ordine>("QTR50.Ordine");
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
    QString m_indirizzo = QStringLiteral("192.0.2.10");   // the visitor's address
};
