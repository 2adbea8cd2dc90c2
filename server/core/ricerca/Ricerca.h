#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

#include <QDate>

// The shop's keyword search: the records whose keyword list holds every
// word typed, in the visitor's language, active and within their dates,
// that the visitor may see, handed to the page one at a time, a page of
// results at a time. The words are bound into the query, compared without
// regard to case, and taken as plain text ("%" and "_" are no wildcards).
class Ricerca : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint16 TipoRecord MEMBER TipoRecord)
    Q_PROPERTY(qint32 IDRecord MEMBER IDRecord)
    Q_PROPERTY(qint16 LunghezzaPagina MEMBER LunghezzaPagina)
    Q_PROPERTY(qint32 PaginaCorrente MEMBER PaginaCorrente)
    Q_PROPERTY(qint32 TotalePagine MEMBER TotalePagine)
    Q_PROPERTY(qint32 NumeroRisultati MEMBER NumeroRisultati)

public:
    explicit Ricerca(QObject* parent = nullptr);
    ~Ricerca() override;

    qint16 TipoRecord = 0;
    qint32 IDRecord = 0;
    qint16 LunghezzaPagina = 0;
    qint32 PaginaCorrente = 0;
    qint32 TotalePagine = 0;
    qint32 NumeroRisultati = 0;

    Q_INVOKABLE bool ApriPaginaRisultati();
    Q_INVOKABLE bool LeggiRisultatoSuccessivo();
    Q_INVOKABLE void ChiudiPaginaRisultati();
    Q_INVOKABLE bool ControlloPrimaPagina();
    Q_INVOKABLE bool ControlloUltimaPagina();
    Q_INVOKABLE void SetConn(QObject* Connect);

    // The day the date windows are judged on; today unless a test fixes it.
    void ImpostaOggi(const QDate& oggi) { m_oggi = oggi; }

protected:
    void ReleaseRecordsets() override;

private:
    QString TestoRicerca();
    void RigaCorrente();

    CAdoRecordset m_rs;
    QDate m_oggi;
};
