#include "desktop/catalogue/CProdottoRighe.h"

#include "desktop/catalogue/CCampiCustom.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CProductKeywords.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QMap>
#include <QStringList>

namespace {

// A Single column read back as the digits it was typed with.
QVariant Number(double value) { return QVariant(QString::number(value, 'g', 7).toDouble()); }

double ValueOf(const QVariant& value) { return value.isNull() ? 0.0 : value.toDouble(); }

int Flag(bool on) { return on ? ProdottoForm::Checked : ProdottoForm::Unchecked; }

bool IsOn(int flag) { return flag == ProdottoForm::Checked; }

QVariant DateValue(const QDateTime& date) { return date.isNull() ? QVariant() : QVariant(date); }

} // namespace

ProdottoLetto CProdottoRighe::Read(CProdottiGeneraleSet& product, const QString& current,
                                   const QString& fallback) const
{
    ProdottoLetto read;
    const qint32 id = product.m_ID;
    CProdottiLingueSet row(&m_db);
    row.m_strFilter = QStringLiteral("IDProdotto=? AND CodiceLingua=?");
    row.m_filterParams = {id, current};
    row.Open();
    if (row.IsEOF() && fallback != current) {
        row.m_filterParams = {id, fallback};
        row.Open();
        read.fallback = !row.IsEOF();
    }
    const bool hasRow = !row.IsEOF();

    ProdottoForm& form = read.form;
    form.codice = product.m_Codice;
    form.codiceABarre = product.m_CodiceABarre;
    form.attivo = Flag(product.m_Attivo);
    form.novita = Flag(product.m_Novita);
    form.mailing = Flag(product.m_Mailing);
    form.offerta = Flag(product.m_Offerta);
    form.iva = Number(product.m_IVA);
    form.peso = Number(product.m_Peso);
    form.confezioni = Number(product.m_Confezioni);
    form.disponibilita = Number(product.m_Disponibilita);
    form.sconto = Number(product.m_Sconto);
    if (!product.IsFieldNull(QStringLiteral("ValiditaScontoDal")))
        form.validitaDal = product.m_ValiditaScontoDal;
    if (!product.IsFieldNull(QStringLiteral("ValiditaScontoAl")))
        form.validitaAl = product.m_ValiditaScontoAl;
    for (auto& price : form.prezzi)
        price = Number(0);
    form.prezzoPromozione = Number(0);
    read.taglie = TaglieProdotto{product.m_IDTabellaTaglie, product.m_DATaglia, product.m_ATaglia};
    if (!hasRow)
        return read;
    read.languageRow = row.m_ID;
    read.sort = row.m_Sort;
    read.campiCustom = row.m_CampiCustom;
    form.nome = row.m_Nome;
    form.descrizioneFattura = row.m_DescrizioneFattura;
    form.descrizioneBreve = row.m_DescrizioneBreve;
    form.descrizioneEstesa = row.m_DescrizioneEstesa;
    form.um = row.m_UM;
    // Another language's prices are not this language's: the fields show 0.
    if (!read.fallback) {
        form.prezzi[0] = Number(row.m_Prezzo);
        form.prezzi[1] = Number(row.m_Prezzo2);
        form.prezzi[2] = Number(row.m_Prezzo3);
        form.prezzi[3] = Number(row.m_Prezzo4);
        form.prezzoPromozione = Number(row.m_PrezzoPromozione);
    }
    return read;
}

template <class TSet>
void CProdottoRighe::WriteProduct(TSet& product, const ProdottoForm& f)
{
    product.m_Codice = f.codice;
    product.m_CodiceABarre = f.codiceABarre;
    product.m_Attivo = IsOn(f.attivo);
    product.m_Novita = IsOn(f.novita);
    product.m_Mailing = IsOn(f.mailing);
    product.m_Offerta = IsOn(f.offerta);
    product.m_IVA = float(ValueOf(f.iva));
    product.m_Peso = float(ValueOf(f.peso));
    product.m_Confezioni = float(ValueOf(f.confezioni));
    product.m_Disponibilita = float(ValueOf(f.disponibilita));
    product.m_Sconto = float(ValueOf(f.sconto));
    // A blank date is NULL: the offer is open on that side.
    product.SetFieldValue(QStringLiteral("ValiditaScontoDal"), DateValue(f.validitaDal));
    product.SetFieldValue(QStringLiteral("ValiditaScontoAl"), DateValue(f.validitaAl));
    product.m_Modificato = true;
}

template <class TSet>
void CProdottoRighe::WriteLanguage(TSet& row, const ProdottoForm& f)
{
    row.m_Nome = f.nome;
    row.m_DescrizioneFattura = f.descrizioneFattura;
    row.m_DescrizioneBreve = f.descrizioneBreve;
    row.m_DescrizioneEstesa = f.descrizioneEstesa;
    row.m_UM = f.um;
    row.m_Prezzo = ValueOf(f.prezzi[0]);
    row.m_Prezzo2 = ValueOf(f.prezzi[1]);
    row.m_Prezzo3 = ValueOf(f.prezzi[2]);
    row.m_Prezzo4 = ValueOf(f.prezzi[3]);
    row.m_PrezzoPromozione = ValueOf(f.prezzoPromozione);
    row.m_Modificato = true;
}

// Written by name, so the flag goes out even when the row read earlier
// already had it set and the upload has cleared it since.
void CProdottoRighe::FlagPicture(CProdottiGeneraleSet& product) const
{
    product.SetFieldValue(QStringLiteral("VersioneFoto"), NextRecordVersion(m_db));
    product.SetFieldValue(QStringLiteral("ModificataFoto"), true);
}

// Edits the language row rowId, or adds one for product in language.
void CProdottoRighe::StartLanguageRow(CProdottiLingueSet& row, qint32 rowId, qint32 product, const QString& language)
{
    if (rowId != 0) {
        row.m_strFilter = QStringLiteral("ID=?");
        row.m_filterParams = {rowId};
        row.Open();
        row.Edit();
        return;
    }
    row.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    row.Open();
    const qint32 id = row.GetNextID();
    row.AddNew();
    row.m_ID = id;
    row.m_CodiceLingua = language;
    row.m_IDProdotto = product;
}

void CProdottoRighe::Save(CProdottiGeneraleSet& product, const ProdottoForm& form,
                          const ProdottoScrittura& write) const
{
    const qint32 id = product.m_ID;
    product.Edit();
    WriteProduct(product, form);
    product.m_IDTabellaTaglie = write.taglie.IDTabellaTaglie;
    product.m_DATaglia = write.taglie.DATaglia;
    product.m_ATaglia = write.taglie.ATaglia;
    if (write.flagPicture)
        FlagPicture(product);
    product.Update();

    CProdottiLingueSet row(&m_db);
    StartLanguageRow(row, write.languageRow, id, write.language);
    WriteLanguage(row, form);
    row.m_CampiCustom = write.campiCustom;
    row.m_Sort = write.sort;
    row.Update();
    UpdateKeywords(id, write.language, form, write.campiCustom);
}

void CProdottoRighe::Insert(qint32 id, qint32 base, const ProdottoForm& form, const ProdottoScrittura& write) const
{
    CProdottiGeneraleSet product(&m_db);
    product.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    product.Open();
    product.AddNew();
    product.m_ID = id;
    product.m_IDProdottoBase = base;
    product.m_Ordine = id;
    WriteProduct(product, form);
    product.m_IDTabellaTaglie = 0;
    product.m_DATaglia = 0;
    product.m_ATaglia = 0;
    if (write.flagPicture)
        FlagPicture(product);
    product.Update();

    CProdottiLingueSet row(&m_db);
    StartLanguageRow(row, 0, id, write.language);
    WriteLanguage(row, form);
    row.Update();
    UpdateKeywords(id, write.language, form, QString());
}

void CProdottoRighe::UpdateKeywords(qint32 product, const QString& language, const ProdottoForm& f,
                                    const QString& campiCustom) const
{
    CProductKeywords(m_db).Write(
        product, language, f.codice,
        {f.nome, f.descrizioneFattura, f.descrizioneBreve, f.descrizioneEstesa, CustomWords(campiCustom)},
        IsOn(f.attivo));
}

QString CProdottoRighe::CustomWords(const QString& campiCustom)
{
    QString words;
    for (const CCampiCustom::Field& field : CCampiCustom::Decode(campiCustom))
        words += field.second;
    return words;
}

// Fields left empty count as absent: the grid writes every field it shows,
// the stored text may name only those that were filled.
bool CProdottoRighe::SameCustomValues(const QString& a, const QString& b)
{
    const auto filled = [](const QString& text) {
        QMap<QString, QString> values;
        for (const CCampiCustom::Field& field : CCampiCustom::Decode(text))
            if (!field.second.isEmpty())
                values.insert(field.first, field.second);
        return values;
    };
    return filled(a) == filled(b);
}
