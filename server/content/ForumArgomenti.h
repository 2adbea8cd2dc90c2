#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

// The topic tree that the forum (Tipo 0) and the chat (Tipo 1) share:
// one topic by ID or code, the child topics of a topic in their order,
// each with its texts in the visitor's language, the path of links down
// to it and, while the Session asks for them, its counts over the topic
// and all its descendants (which each class computes).
//
// What a call hands back in its argument is the property of the
// argument's name, read after the call: IDArg (the topic a code named)
// after ApriPaginaArgomenti.
class ForumArgomenti : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint32 IDArgomento MEMBER IDArgomento)
    Q_PROPERTY(bool FlagSottoArgomenti MEMBER FlagSottoArgomenti)
    Q_PROPERTY(QString NomeArgomento MEMBER NomeArgomento)
    Q_PROPERTY(QString DescrizioneArgomento MEMBER DescrizioneArgomento)
    Q_PROPERTY(QString PercorsoArgomenti MEMBER PercorsoArgomenti)
    Q_PROPERTY(QString Errore MEMBER Errore)
    Q_PROPERTY(qint32 IDArg MEMBER IDArg)

public:
    explicit ForumArgomenti(int tipo, const QString& chiaveUrl, QObject* parent = nullptr);
    ~ForumArgomenti() override;

    qint32 IDArgomento = 0;
    bool FlagSottoArgomenti = false;
    QString NomeArgomento;
    QString DescrizioneArgomento;
    QString PercorsoArgomenti;
    QString Errore;
    qint32 IDArg = 0;

    Q_INVOKABLE void SetConn(QObject* Connect);
    Q_INVOKABLE bool LeggiArgomento(const QVariant& IDArg);
    Q_INVOKABLE bool ApriPaginaArgomenti(const QVariant& IDArg = 0);
    Q_INVOKABLE bool LeggiArgomentoSuccessivO();
    Q_INVOKABLE void ChiudiPaginaArgomenti();

protected:
    // The counts of a topic and its descendants, when the Session asks.
    virtual void CalcolaConteggi(const QList<qint32>& argomenti) = 0;
    virtual bool ConteggiRichiesti() const = 0;

    // Texts and path of a topic read for a post: starting at the topic.
    void LeggiArgomentoDi(qint32 id);
    // The topic of this class's kind, by ID or code; nothing when there
    // is none.
    std::optional<qint32> ArgomentoDelTipo(const QVariant& argomento);
    void ChiudiArgomenti() { m_rsArgomenti.Close(); }

    int Tipo() const { return m_tipo; }
    QString Lingua() const;
    QString Predefinita() const;

private:
    void LeggiDatiArgomento();
    void LeggiTestoLingua(qint32 id, QString& nome, QString& descrizione);
    QString CalcolaPercorsoArgomenti(qint32 inizio);
    std::optional<qint32> IdPerCodice(const QVariant& argomento);

    const int m_tipo;
    const QString m_chiaveUrl;
    CAdoRecordset m_rsArgomenti;
};
