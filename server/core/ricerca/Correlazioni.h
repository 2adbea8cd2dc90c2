#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

// The records linked to one record, in either direction of the link,
// optionally only those of one kind, leaving out what the visitor may not
// see at either end. Kinds: 0 category, 1 product, 2 section, 3 article,
// 4 banner.
class Correlazioni : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint16 TipoRecord MEMBER TipoRecord)
    Q_PROPERTY(qint32 IDRecord MEMBER IDRecord)

public:
    explicit Correlazioni(QObject* parent = nullptr);
    ~Correlazioni() override;

    qint16 TipoRecord = 0;
    qint32 IDRecord = 0;

    // Modo: -1 (or left out) for links to every kind, else the kind wanted.
    Q_INVOKABLE bool ApriPaginaRisultati(const QVariant& Tipo, const QVariant& ID, const QVariant& Modo = -1);
    Q_INVOKABLE bool LeggiRisultatoSuccessivo();
    Q_INVOKABLE void ChiudiPaginaRisultati();
    Q_INVOKABLE void SetConn(QObject* Connect);

protected:
    void ReleaseRecordsets() override;

private:
    void AltroCapo();

    CAdoRecordset m_rs;
    qint32 m_tipo = 0;
    qint32 m_id = 0;
};
