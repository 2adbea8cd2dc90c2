#include "desktop/catalogue/CScontiProdottoViewCore.h"

#include "desktop/shell/controls/CNumberText.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "recordset/CClientiSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/CScontiProdottoSet.h"


namespace {

constexpr int kDescriptionLength = 100;
constexpr qint32 kAgent = 3;

// The description chosen in "Visualizza"; the members hold the texts deciphered.
QString Description(const CProdottiLingueSet& texts, int description)
{
    switch (description) {
    case 0: return texts.m_Nome;
    case 1: return texts.m_DescrizioneFattura;
    case 3: return texts.m_DescrizioneEstesa;
    default: return texts.m_DescrizioneBreve;
    }
}

// A figure of a percentage typed by the merchant: decimal comma or point,
// nothing else.
bool ReadFigure(const QString& text, double& value)
{
    const CNumberText::Read read = CNumberText::Parse(text, false);
    value = read.ok ? read.Value() : 0.0;
    return read.ok;
}

QString StepColumn(const char* column, int n)
{
    return QLatin1String(column) + QString::number(n);
}

QString NumberText(const QVariant& value, int format, int decimals)
{
    return value.isNull() ? QString() : CValueFormat::FormatNumber(value.toDouble(), format, decimals);
}

QString DateText(const QVariant& value)
{
    return value.isNull() ? QString() : CValueFormat::FormatDate(value.toDateTime());
}

QVariant NumberValue(const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return QVariant();
    const CNumberText::Read read = CNumberText::Parse(typed, false);
    return read.ok ? QVariant(read.Value()) : QVariant();
}

QVariant DateValue(const QString& typed)
{
    const QDateTime date = CValueFormat::ReadDate(typed.trimmed());
    return date.isValid() ? QVariant(date) : QVariant();
}

QVariant TextValue(const QString& typed)
{
    const QString text = typed.trimmed();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// The column values the fields stand for, by column name; a null QVariant is NULL.
QVector<QPair<QString, QVariant>> Columns(const CScontiProdottoViewCore::Terms& t)
{
    QVector<QPair<QString, QVariant>> columns = {
        {QStringLiteral("ScontoPredefinito"), TextValue(t.strSconto)},
        {QStringLiteral("PrezzoPromoPredefinito"), NumberValue(t.strPrezzo)},
        {QStringLiteral("ScontoPeriodo"), TextValue(t.strScontoPeriodo)},
        {QStringLiteral("PrezzoPromoPeriodo"), NumberValue(t.strPrezzoPeriodo)},
        {QStringLiteral("ValiditaDal"), DateValue(t.strPeriodoDal)},
        {QStringLiteral("ValiditaAl"), DateValue(t.strPeriodoAl)},
        {QStringLiteral("ValiditaQuantitaDal"), DateValue(t.strQuantitaDal)},
        {QStringLiteral("ValiditaQuantitaAl"), DateValue(t.strQuantitaAl)},
    };
    for (int n = 1; n <= CScontiProdottoViewCore::kSteps; ++n) {
        const CScontiProdottoViewCore::Step& step = t.steps[n - 1];
        columns.append({StepColumn("Quantita", n), NumberValue(step.strQuantita)});
        columns.append({StepColumn("Sconto", n), TextValue(step.strSconto)});
        columns.append({StepColumn("PrezzoPromo", n), NumberValue(step.strPrezzo)});
    }
    return columns;
}

bool SameValue(const QVariant& stored, const QVariant& typed)
{
    if (stored.isNull() || typed.isNull())
        return stored.isNull() == typed.isNull();
    if (typed.typeId() == QMetaType::QString)
        return stored.toString() == typed.toString();
    if (typed.typeId() == QMetaType::QDateTime)
        return stored.toDateTime().date() == typed.toDateTime().date();
    // Quantities are singles: compare at their precision.
    return qFuzzyCompare(float(stored.toDouble()) + 1.0f, float(typed.toDouble()) + 1.0f);
}

} // namespace

CScontiProdottoViewCore::CScontiProdottoViewCore(CDaoDatabase& database, const QString& defaultLanguage)
    : m_db(database), m_strDefault(defaultLanguage), m_rows(std::make_unique<CScontiProdottoSet>(&database))
{
    m_rows->Open();
    m_wording = WordingFor(false);
    FillEntries();
}

CScontiProdottoViewCore::~CScontiProdottoViewCore()
{
    if (m_rows->IsOpen())
        m_rows->Close();
}

QString CScontiProdottoViewCore::CheckPercent(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    const QString message = QStringLiteral("Percentuale non corretta: \"%1\".\nScrivere una o più percentuali da 0 a "
                                           "100 unite da \"+\", per esempio 10+5 o 7,5.")
                                .arg(text);
    if (text.size() > kPercentLength)
        return message;
    for (const QChar ch : text) {
        if (!PercentCharacters().contains(ch))
            return message;
    }
    for (const QString& part : text.split(QLatin1Char('+'))) {
        double value = 0;
        if (!ReadFigure(part, value) || value < 0 || value > 100)
            return message;
    }
    return QString();
}

CScontiProdottoViewCore::Wording CScontiProdottoViewCore::WordingFor(bool agent)
{
    if (agent)
        return {QStringLiteral("  Provv. predefinita  "), QStringLiteral("  Provv. per periodo  "),
                QStringLiteral("  Provv. per quantità  "), QStringLiteral("% Provv."),
                QStringLiteral("Provvigione fissa"), QStringLiteral("% Provv."), QStringLiteral("Provv. fissa")};
    return {QStringLiteral("  Sconto predefinito  "), QStringLiteral("  Sconto per periodo  "),
            QStringLiteral("  Sconto per quantità  "), QStringLiteral("% Sconto"),
            QStringLiteral("Prezzo Promozionale"), QStringLiteral("% Sconto"), QStringLiteral("Prezzo")};
}

void CScontiProdottoViewCore::SetKind(Kind kind)
{
    m_kind = kind;
    m_nEntry = -1;
    m_itemKind = NoItem;
    m_nItem = 0;
    FillEntries();
}

void CScontiProdottoViewCore::FillEntries()
{
    m_entries.clear();
    if (m_kind == Gruppi) {
        CGruppiSet groups(&m_db);
        groups.Open();
        for (; !groups.IsEOF(); groups.MoveNext())
            m_entries.append({groups.m_ID, groups.m_Nome});
        return;
    }
    CClientiSet customers(&m_db);
    customers.Open();
    for (; !customers.IsEOF(); customers.MoveNext()) {
        const QString person = (customers.m_Nome + QLatin1Char(' ') + customers.m_Cognome).trimmed();
        const QString company = customers.m_RagioneSociale.trimmed();
        m_entries.append({customers.m_ID, company.isEmpty() ? person : company + QStringLiteral(" (") + person + ')'});
    }
}

void CScontiProdottoViewCore::SelectEntry(qint32 id)
{
    m_nEntry = id;
    m_itemKind = NoItem;
    m_nItem = 0;
    m_bAgent = false;
    if (m_kind == Utenti && id > 0) {
        CClientiSet customers(&m_db);
        customers.m_strFilter = QStringLiteral("ID=?");
        customers.m_filterParams = {id};
        customers.Open();
        m_bAgent = !customers.IsEOF() && customers.m_TipoUtente == kAgent;
    }
    m_wording = WordingFor(m_bAgent);
}

bool CScontiProdottoViewCore::FindRow(ItemKind kind, qint32 id) const
{
    if (m_nEntry <= 0 || kind == NoItem || id <= 0)
        return false;
    const QString who = m_kind == Gruppi ? QStringLiteral("IDGruppo=?") : QStringLiteral("IDUtente=?");
    const QString what = kind == CategoryItem ? QStringLiteral("IDCategoria=?") : QStringLiteral("IDProdotto=?");
    return m_rows->FindFirst(who + QStringLiteral(" AND ") + what, {m_nEntry, id});
}

bool CScontiProdottoViewCore::IsTicked(ItemKind kind, qint32 id) const
{
    return FindRow(kind, id);
}

void CScontiProdottoViewCore::AddRow(ItemKind kind, qint32 id)
{
    const qint32 next = m_rows->GetNextID();
    m_rows->AddNew();
    m_rows->m_ID = next;
    m_rows->m_IDGruppo = m_kind == Gruppi ? m_nEntry : -1;
    m_rows->m_IDUtente = m_kind == Utenti ? m_nEntry : -1;
    m_rows->m_IDCategoria = kind == CategoryItem ? id : 0;
    m_rows->m_IDProdotto = kind == ProductItem ? id : 0;
    m_rows->m_Modificato = true;
    m_rows->Update();
    m_rows->Requery();
}

void CScontiProdottoViewCore::SetTick(ItemKind kind, qint32 id, bool ticked)
{
    if (m_nEntry <= 0 || kind == NoItem || id <= 0)
        return;
    const bool exists = FindRow(kind, id);
    if (exists && !ticked) {
        m_rows->Delete();
        m_rows->Requery();
    } else if (!exists && ticked) {
        AddRow(kind, id);
    }
}

bool CScontiProdottoViewCore::ToggleTick(ItemKind kind, qint32 id)
{
    const bool ticked = !IsTicked(kind, id);
    SetTick(kind, id, ticked);
    return IsTicked(kind, id);
}

QStringList CScontiProdottoViewCore::DescriptionChoices()
{
    return {QStringLiteral("Nome"), QStringLiteral("Descrizione fattura"), QStringLiteral("Descrizione breve"),
            QStringLiteral("Descrizione estesa")};
}

QVector<qint32> CScontiProdottoViewCore::ProductIds(qint32 category) const
{
    QVector<qint32> ids;
    if (m_nEntry <= 0)
        return ids;
    CProdottiGeneraleSet products(&m_db);
    if (category > 0) {
        products.m_bJoin = true;
        products.m_strFilter = QStringLiteral("IDCategoria=?");
        products.m_filterParams = {category};
    }
    products.Open();
    for (; !products.IsEOF(); products.MoveNext())
        ids.append(products.m_ID);
    return ids;
}

CScontiProdottoViewCore::ProductLine CScontiProdottoViewCore::ProductAt(qint32 id, int description) const
{
    ProductLine line{id, QString(), QString(), IsTicked(ProductItem, id)};
    CProdottiGeneraleSet products(&m_db);
    products.m_strFilter = QStringLiteral("ID=?");
    products.m_filterParams = {id};
    products.Open();
    if (!products.IsEOF())
        line.strCodice = products.m_Codice;
    CProdottiLingueSet texts(&m_db);
    texts.m_strFilter = QStringLiteral("IDProdotto=? AND CodiceLingua=?");
    texts.m_filterParams = {id, m_strDefault};
    texts.Open();
    // A product without a row in the default language shows no description.
    if (!texts.IsEOF())
        line.strDescrizione = Description(texts, description).left(kDescriptionLength);
    return line;
}

QVector<CScontiProdottoViewCore::ProductLine> CScontiProdottoViewCore::Products(qint32 category,
                                                                                int description) const
{
    QVector<ProductLine> lines;
    for (const qint32 id : ProductIds(category))
        lines.append(ProductAt(id, description));
    return lines;
}

void CScontiProdottoViewCore::SetCurrentItem(ItemKind kind, qint32 id)
{
    m_itemKind = id > 0 ? kind : NoItem;
    m_nItem = id;
}

bool CScontiProdottoViewCore::HasRow() const
{
    return FindRow(m_itemKind, m_nItem);
}

CScontiProdottoViewCore::Terms CScontiProdottoViewCore::Load() const
{
    Terms t;
    if (!HasRow())
        return t;
    auto value = [this](const QString& column) { return m_rows->GetFieldValue(column); };
    t.strSconto = value(QStringLiteral("ScontoPredefinito")).toString();
    t.strPrezzo = NumberText(value(QStringLiteral("PrezzoPromoPredefinito")), CValueFormat::GroupedDecimal, 6);
    t.strScontoPeriodo = value(QStringLiteral("ScontoPeriodo")).toString();
    t.strPrezzoPeriodo = NumberText(value(QStringLiteral("PrezzoPromoPeriodo")), CValueFormat::GroupedDecimal, 6);
    t.strPeriodoDal = DateText(value(QStringLiteral("ValiditaDal")));
    t.strPeriodoAl = DateText(value(QStringLiteral("ValiditaAl")));
    t.strQuantitaDal = DateText(value(QStringLiteral("ValiditaQuantitaDal")));
    t.strQuantitaAl = DateText(value(QStringLiteral("ValiditaQuantitaAl")));
    for (int n = 1; n <= kSteps; ++n) {
        Step& step = t.steps[n - 1];
        step.strQuantita = NumberText(value(StepColumn("Quantita", n)), CValueFormat::Decimal, 2);
        step.strSconto = value(StepColumn("Sconto", n)).toString();
        step.strPrezzo = NumberText(value(StepColumn("PrezzoPromo", n)), CValueFormat::GroupedDecimal, 6);
    }
    return t;
}

CScontiProdottoViewCore::Refusal CScontiProdottoViewCore::Check(const Terms& typed)
{
    Refusal refusal;
    if (!(refusal.strText = CheckPercent(typed.strSconto)).isEmpty()) {
        refusal.page = DefaultPage;
        return refusal;
    }
    if (!(refusal.strText = CheckPercent(typed.strScontoPeriodo)).isEmpty()) {
        refusal.page = PeriodPage;
        return refusal;
    }
    for (int n = 0; n < kSteps; ++n) {
        if (!(refusal.strText = CheckPercent(typed.steps[n].strSconto)).isEmpty()) {
            refusal.page = QuantityPage;
            refusal.nStep = n;
            return refusal;
        }
    }
    return refusal;
}

bool CScontiProdottoViewCore::IsRecordModified(const Terms& typed) const
{
    if (!HasRow())
        return false;
    for (const auto& [column, value] : Columns(typed)) {
        if (!SameValue(m_rows->GetFieldValue(column), value))
            return true;
    }
    return false;
}

CScontiProdottoViewCore::Refusal CScontiProdottoViewCore::SaveRecord(const Terms& typed)
{
    const Refusal refusal = Check(typed);
    if (refusal.IsRefused() || !HasRow())
        return refusal;
    const bool category = m_itemKind == CategoryItem;
    m_rows->Edit();
    for (const auto& [column, value] : Columns(typed)) {
        // A category row has no promotional prices and no quantity steps.
        const bool productOnly = column.startsWith(QLatin1String("Prezzo")) || column.startsWith(QLatin1String("Quantita")) ||
                                 column.contains(QLatin1String("Quantita")) ||
                                 (column.startsWith(QLatin1String("Sconto")) && column.back().isDigit());
        if (value.isNull() || (category && productOnly))
            m_rows->SetFieldValueNull(column);
        else
            m_rows->SetFieldValue(column, value);
    }
    m_rows->m_Modificato = true;
    m_rows->Update();
    m_rows->Requery();
    return refusal;
}
