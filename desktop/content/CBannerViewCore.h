#pragma once

#include <QDate>
#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of "Banner", without widgets: the shop's banners, each with a
// code, a type, a link, a window of dates, the planned appearances and one
// picture or Flash file, website/images/banner/<ID>.<gif|jpg|swf>, which
// the site update sends.
class CBannerViewCore
{
public:
    static constexpr int kCodeLength = 20;
    static constexpr int kLinkLength = 100;

    struct Entry
    {
        qint32 nId = 0;
        QString strText;
    };

    // The fields of the view. nTipo is the item data of "Tipo": a
    // TipoBanner ID, 0 for "Nessun tipo", -1 when nothing is chosen.
    struct Form
    {
        QString strCodice;
        qint32 nTipo = -1;
        QString strLink;
        QDate dallaData;   // null: the field is empty
        QDate allaData;
        qint32 nComparsePreviste = 0;
        qint32 nComparseEffettuate = 0;   // shown only
        bool bEsterno = false;
    };

    struct Controls
    {
        bool bAdd = true;
        bool bSave = false;
        bool bDelete = false;
        bool bFile = false;
    };

    enum Refusal { Accepted, CodeMissing, CodeTaken };

    CBannerViewCore(CDaoDatabase& db, const QString& projectFolder);

    const QList<Entry>& Banners() const { return m_banners; }
    // "Nessun tipo" (0) first, then each banner type.
    const QList<Entry>& Types() const { return m_types; }
    qint32 Selected() const { return m_nSelected; }
    const Form& GetForm() const { return m_form; }
    const Controls& GetControls() const { return m_controls; }
    QString BannerFolder() const { return m_strProjectFolder + QStringLiteral("website/images/banner/"); }
    // The selected banner's file (gif, then jpg, then swf); empty when none.
    QString FilePath() const;

    void Select(qint32 id);
    Refusal Add(const Form& form);
    Refusal Save(const Form& form);
    // Asks "Confermi ?"; on Yes the banner goes with its own files only.
    void Delete();
    // The chosen file becomes the selected banner's only file.
    bool SetFile(const QString& file, QString* error);
    // The banner types may have changed ("Tipo Banner").
    void ReadTypes();

    static QString RefusalText(Refusal refusal);
    // Why the correlations cannot open now; empty when a banner is selected.
    QString CorrelationsRefusal() const;

private:
    void ReadBanners();
    void Deselect();
    Refusal Check(const QString& code, qint32 ownId) const;
    void Write(qint32 id, const Form& form, bool adding);

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QList<Entry> m_banners;
    QList<Entry> m_types;
    qint32 m_nSelected = 0;
    Form m_form;
    Controls m_controls;
};
