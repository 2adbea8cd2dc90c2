#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

#include <QHash>

// The texts shown to shoppers, by message code, in the visitor's language
// with the shop's default language as fallback. With the Session's debug
// switch on it answers the codes themselves.
class Dizionario : public CQtrServerObject
{
    Q_OBJECT
public:
    Q_INVOKABLE QString Traduci(const QVariant& codice);
    Q_INVOKABLE void SetConn(QObject* connect);

protected:
    void ReleaseRecordsets() override;

private:
    QString Cerca(const QString& codiceMaiuscolo, const QString& lingua, const QString& predefinita);
    QString Testo(const QVariant& idCodice, const QString& lingua, bool& trovato);

    CAdoRecordset m_rsCodice;
    CAdoRecordset m_rsTesto;
    // The texts read so far by this object (one page), by code and the two
    // languages asked: a page asks the same few codes for every product.
    QHash<QString, QString> m_letti;
};
