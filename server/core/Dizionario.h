#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

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
    QString Testo(const QVariant& idCodice, const QString& lingua, bool& trovato);

    CAdoRecordset m_rsCodice;
    CAdoRecordset m_rsTesto;
};
