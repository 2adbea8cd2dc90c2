#include "desktop/catalogue/CImportDatiParser.h"

#include <cstdlib>

namespace {

using FieldRow = CImportDatiParser::FieldInfo;

const QVector<FieldRow>& Table()
{
    static const QVector<FieldRow> table = {
        {ImportField::IDCategoria, QStringLiteral("ID Categoria"), QStringLiteral("Cat."), 30, false},
        {ImportField::Codice, QStringLiteral("Codice"), QStringLiteral("Codice"), 100, false},
        {ImportField::Nome, QStringLiteral("Nome"), QStringLiteral("Nome"), 100, false},
        {ImportField::DescrizioneBreve, QStringLiteral("Descrizione breve"), QStringLiteral("Descrizione breve"), 200, false},
        {ImportField::Prezzo1, QStringLiteral("Prezzo 1"), QStringLiteral("Prezzo 1"), 100, false},
        {ImportField::AliquotaIVA, QStringLiteral("Aliquota IVA"), QStringLiteral("IVA"), 30, false},
        {ImportField::CodiceABarre, QStringLiteral("Codice a barre"), QStringLiteral("Codice a barre"), 100, false},
        {ImportField::DescrizioneFattura, QStringLiteral("Descrizione fattura"), QStringLiteral("Descrizione fattura"), 200, false},
        {ImportField::DescrizioneEstesa, QStringLiteral("Descrizione estesa"), QStringLiteral("Descrizione estesa"), 200, false},
        {ImportField::FlagAttivo, QStringLiteral("Flag Attivo"), QStringLiteral("Att."), 40, true},
        {ImportField::FlagNovita, QStringLiteral("Flag Novità"), QStringLiteral("Nov."), 40, true},
        {ImportField::Prezzo2, QStringLiteral("Prezzo 2"), QStringLiteral("Prezzo 2"), 100, false},
        {ImportField::Prezzo3, QStringLiteral("Prezzo 3"), QStringLiteral("Prezzo 3"), 100, false},
        {ImportField::Prezzo4, QStringLiteral("Prezzo 4"), QStringLiteral("Prezzo 4"), 100, false},
        {ImportField::Peso, QStringLiteral("Peso"), QStringLiteral("Peso"), 40, false},
        {ImportField::UnitaMisura, QStringLiteral("Unità di misura"), QStringLiteral("UM"), 35, false},
        {ImportField::Disponibilita, QStringLiteral("Disponibilità"), QStringLiteral("Disp."), 40, false},
        {ImportField::FlagOfferta, QStringLiteral("Flag Offerta"), QStringLiteral("Off."), 40, true},
        {ImportField::DataInizioOfferta, QStringLiteral("Data Inizio Offerta"), QStringLiteral("Validità dal"), 100, false},
        {ImportField::DataFineOfferta, QStringLiteral("Data Fine Offerta"), QStringLiteral("Validita al"), 100, false},
        {ImportField::ScontoOfferta, QStringLiteral("Sconto Offerta"), QStringLiteral("Sconto"), 40, false},
        {ImportField::PrezzoPromozionale, QStringLiteral("Prezzo Promozionale Offerta"), QStringLiteral("Prezzo Off."), 100, false},
    };
    return table;
}

bool FitsText(const QString& text, int maxLength, QString* out)
{
    if (maxLength > 0 && text.size() > maxLength)
        return false;
    *out = text;
    return true;
}

} // namespace

const CImportDatiParser::FieldInfo& CImportDatiParser::Info(ImportField field)
{
    return Table().at(static_cast<int>(field));
}

QVector<ImportField> CImportDatiParser::AllFields()
{
    QVector<ImportField> fields;
    for (const FieldRow& info : Table())
        fields << info.field;
    return fields;
}

QVector<ImportField> CImportDatiParser::DefaultFields()
{
    return AllFields().mid(0, 6);
}

bool CImportDatiParser::ParseNumber(const QString& text, double* value)
{
    int digits = 0;
    int separators = 0;
    QByteArray plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
            plain += char(c.unicode());
        } else if (c == QLatin1Char('.') || c == QLatin1Char(',')) {
            ++separators;
            plain += '.';
        } else {
            return false;
        }
    }
    if (digits == 0 || separators > 1)
        return false;
    // strtod of the C locale: the program never changes LC_NUMERIC, and the
    // text holds only digits and one point here.
    *value = std::strtod(plain.constData(), nullptr);
    return true;
}

bool CImportDatiParser::Numeric(const QString& text, int maxLength, double* value)
{
    if (maxLength > 0 && text.size() > maxLength)
        return false;
    return ParseNumber(text, value);
}

bool CImportDatiParser::ParseDate(const QString& text, QDate* date)
{
    if (text.size() != 10)
        return false;
    const auto part = [&text](int from, int length, int* out) {
        const QString digits = text.mid(from, length);
        for (QChar c : digits)
            if (!c.isDigit() || c.unicode() > 127)
                return false;
        *out = digits.toInt();
        return true;
    };
    int day = 0, month = 0, year = 0;
    if (!part(0, 2, &day) || !part(3, 2, &month) || !part(6, 4, &year))
        return false;
    // A day that no calendar has would turn into a null date unseen.
    *date = QDate(year, month, day);
    return date->isValid();
}

bool CImportDatiParser::ParseField(ImportField field, const QString& text, ImportDatiRecord& r)
{
    double number = 0;
    switch (field) {
    case ImportField::IDCategoria:
        if (!Numeric(text, 0, &number) || number > 2147483647.0)
            return false;
        r.nCategoria = static_cast<qint32>(number);
        return true;
    case ImportField::Codice: return FitsText(text, 20, &r.strCodice);
    case ImportField::Nome: return FitsText(text, 255, &r.strNome);
    case ImportField::DescrizioneBreve: return FitsText(text, 0, &r.strDescrizioneBreve);
    case ImportField::DescrizioneFattura: return FitsText(text, 0, &r.strDescrizioneFattura);
    case ImportField::DescrizioneEstesa: return FitsText(text, 0, &r.strDescrizioneEstesa);
    case ImportField::CodiceABarre: return FitsText(text, 13, &r.strCodiceABarre);
    case ImportField::UnitaMisura: return FitsText(text, 10, &r.strUM);
    case ImportField::Prezzo1: return Numeric(text, 10, &r.dPrezzo[0]);
    case ImportField::Prezzo2: return Numeric(text, 10, &r.dPrezzo[1]);
    case ImportField::Prezzo3: return Numeric(text, 10, &r.dPrezzo[2]);
    case ImportField::Prezzo4: return Numeric(text, 10, &r.dPrezzo[3]);
    case ImportField::PrezzoPromozionale: return Numeric(text, 10, &r.dPrezzoPromozione);
    case ImportField::AliquotaIVA: return Numeric(text, 5, &r.dIVA);
    case ImportField::Peso: return Numeric(text, 7, &r.dPeso);
    case ImportField::Disponibilita: return Numeric(text, 5, &r.dDisponibilita);
    case ImportField::ScontoOfferta: return Numeric(text, 5, &r.dSconto);
    case ImportField::FlagAttivo:
        if (!Numeric(text, 0, &number))
            return false;
        r.bAttivo = number > 0;
        return true;
    case ImportField::FlagNovita:
        if (!Numeric(text, 0, &number))
            return false;
        r.bNovita = number > 0;
        return true;
    case ImportField::FlagOfferta:
        if (!Numeric(text, 0, &number))
            return false;
        r.bOfferta = number > 0;
        return true;
    case ImportField::DataInizioOfferta: return ParseDate(text, &r.dataDal);
    case ImportField::DataFineOfferta: return ParseDate(text, &r.dataAl);
    }
    return false;
}

bool CImportDatiParser::ParseLine(const QString& line, const QVector<ImportField>& columns, QChar separator,
                                  ImportDatiRecord* record, QString* why)
{
    *record = ImportDatiRecord();
    const QStringList fields = line.split(separator);
    if (fields.size() < columns.size()) {
        if (why)
            *why = QStringLiteral("La linea ha %1 campi, ne servono %2.").arg(fields.size()).arg(columns.size());
        return false;
    }
    for (int i = 0; i < columns.size(); ++i) {
        const QString text = fields.at(i).trimmed();
        if (text.isEmpty())
            continue;
        if (!ParseField(columns.at(i), text, *record)) {
            if (why)
                *why = QStringLiteral("Il campo %1 non è valido: \"%2\".").arg(Info(columns.at(i)).strListText, text);
            return false;
        }
    }
    return true;
}
