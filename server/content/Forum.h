#pragma once

#include "server/content/ForumArgomenti.h"

#include <QDate>
#include <QDateTime>

// The shop's forum: its topics with the counts of active threads and
// posts over each topic and its descendants, a topic's threads and a
// thread's replies page by page, newest first, one post, and a new
// thread or reply from a visitor. A visitor sees active posts only; what
// he posts is stored inactive until the merchant publishes it on the
// desk. Post texts are the visitors' own: pages write them as text.
class Forum : public ForumArgomenti
{
    Q_OBJECT
    Q_PROPERTY(qint32 NumeroDiscussioniArgomento MEMBER NumeroDiscussioniArgomento)
    Q_PROPERTY(qint32 NumeroInterventiArgomento MEMBER NumeroInterventiArgomento)
    Q_PROPERTY(qint16 LunghezzaEstratto MEMBER LunghezzaEstratto)
    Q_PROPERTY(qint16 LunghezzaPaginaDiscussioni MEMBER LunghezzaPaginaDiscussioni)
    Q_PROPERTY(qint16 PaginaCorrenteDiscussioni MEMBER PaginaCorrenteDiscussioni)
    Q_PROPERTY(qint16 TotalePagineDiscussioni MEMBER TotalePagineDiscussioni)
    Q_PROPERTY(qint16 LunghezzaPaginaRisposte MEMBER LunghezzaPaginaRisposte)
    Q_PROPERTY(qint16 PaginaCorrenteRisposte MEMBER PaginaCorrenteRisposte)
    Q_PROPERTY(qint16 TotalePagineRisposte MEMBER TotalePagineRisposte)
    Q_PROPERTY(qint32 IDIntervento MEMBER IDIntervento)
    Q_PROPERTY(qint32 IDInterventoPadre MEMBER IDInterventoPadre)
    Q_PROPERTY(QString MittenteIntervento MEMBER MittenteIntervento)
    Q_PROPERTY(QString EmailMittenteIntervento MEMBER EmailMittenteIntervento)
    Q_PROPERTY(QString OggettoIntervento MEMBER OggettoIntervento)
    Q_PROPERTY(QString TestoIntervento MEMBER TestoIntervento)
    Q_PROPERTY(QString NoteModeratoreIntervento MEMBER NoteModeratoreIntervento)
    Q_PROPERTY(bool Attivo MEMBER Attivo)
    Q_PROPERTY(QDateTime DataIntervento MEMBER DataIntervento)
    Q_PROPERTY(QDateTime OraIntervento MEMBER OraIntervento)
    Q_PROPERTY(QString EstrattoIntervento MEMBER EstrattoIntervento)
    Q_PROPERTY(QVariant ID MEMBER ID)

public:
    explicit Forum(QObject* parent = nullptr);
    ~Forum() override;

    // What the server keeps of a post's fields.
    static constexpr int kMittente = 50;
    static constexpr int kEmail = 80;
    static constexpr int kOggetto = 250;

    qint32 NumeroDiscussioniArgomento = 0;
    qint32 NumeroInterventiArgomento = 0;
    qint16 LunghezzaEstratto = 50;
    qint16 LunghezzaPaginaDiscussioni = 0;
    qint16 PaginaCorrenteDiscussioni = 0;
    qint16 TotalePagineDiscussioni = 0;
    qint16 LunghezzaPaginaRisposte = 0;
    qint16 PaginaCorrenteRisposte = 0;
    qint16 TotalePagineRisposte = 0;
    qint32 IDIntervento = 0;
    qint32 IDInterventoPadre = 0;
    QString MittenteIntervento;
    QString EmailMittenteIntervento;
    QString OggettoIntervento;
    QString TestoIntervento;
    QString NoteModeratoreIntervento;
    bool Attivo = false;
    QDateTime DataIntervento;
    QDateTime OraIntervento;
    QString EstrattoIntervento;
    // The post LeggiIntervento was asked for (its argument, or the request's).
    QVariant ID;

    Q_INVOKABLE void ImpostaCalcoloStatisticheArgomento(const QVariant& F);
    Q_INVOKABLE void ImpostaLunghezzaEstrattoIntervento(const QVariant& L);

    Q_INVOKABLE bool ApriPaginaDiscussioni(const QVariant& Pag = QVariant(), const QVariant& IDArgPar = -1);
    Q_INVOKABLE bool LeggiDiscussioneSuccessiva();
    Q_INVOKABLE void ChiudiPaginaDiscussioni();
    Q_INVOKABLE bool ControlloPrimaPaginaDiscussioni();
    Q_INVOKABLE bool ControlloUltimaPaginaDiscussioni();

    Q_INVOKABLE bool ApriPaginaRisposte(const QVariant& Pag = QVariant(), const QVariant& IDIntPar = -1);
    Q_INVOKABLE bool LeggiRispostaSuccessiva();
    Q_INVOKABLE void ChiudiPaginaRisposta();
    Q_INVOKABLE bool ControlloPrimaPaginaRisposte();
    Q_INVOKABLE bool ControlloUltimaPaginaRisposte();

    // One active post (0: the request's IDIntervento).
    Q_INVOKABLE bool LeggiIntervento(const QVariant& ID = 0);
    // A new thread in a forum topic, or a reply to an active post (stored
    // under that post's topic); false with Errore when refused.
    Q_INVOKABLE bool InvioIntervento();

    // The moment posts are stamped with; the clock unless a test sets it.
    void ImpostaAdesso(const QDateTime& adesso) { m_adesso = adesso; }

protected:
    void Start() override;
    void CalcolaConteggi(const QList<qint32>& argomenti) override;
    bool ConteggiRichiesti() const override;

private:
    // Opens a page of active posts; false when it has none or the page is
    // past either end.
    bool ApriPagina(const QString& sql, const QVariant& chiave, const QVariant& pagina, const char* dimensione,
                    qint16& lunghezza, qint16& corrente, qint16& totale);
    bool Successivo();
    void LeggiDatiIntervento(const CAdoRecordset& rs);
    QDateTime Adesso() const;

    CAdoRecordset m_rsInterventi;
    QDateTime m_adesso;
};
