#include "desktop/orders/COrdinePrinter.h"

#include "desktop/orders/COrdineStampa.h"

#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

const QColor kGrey(200, 200, 200);
const QColor kShade(210, 210, 210);

const char* const kArial = "Arial";

} // namespace

void COrdinePrinter::Begin(QPainter& painter)
{
    // Pixels per millimetre across and down.
    m_fx = painter.device()->logicalDpiX() * 0.03937008;
    m_fy = painter.device()->logicalDpiY() * 0.03937008;
}

QRect COrdinePrinter::Mm(double left, double top, double right, double bottom) const
{
    return QRect(QPoint(int(left * m_fx), int(top * m_fy)), QPoint(int(right * m_fx), int(bottom * m_fy)));
}

void COrdinePrinter::SetFont(QPainter& painter, const char* face, double height, double width, bool bold,
                             bool italic)
{
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(qMax(1, int(height * m_fy)));
    font.setBold(bold);
    font.setItalic(italic);
    // The width is the characters' average: a narrower one condenses.
    const double natural = height * 0.45;
    font.setStretch(qBound(50, int(100.0 * width / natural), 200));
    painter.setFont(font);
}

void COrdinePrinter::Text(QPainter& painter, const QRect& rect, int flags, const QString& text)
{
    int align = flags & R ? Qt::AlignRight : flags & C ? Qt::AlignHCenter : Qt::AlignLeft;
    align |= flags & V ? Qt::AlignVCenter : flags & B ? Qt::AlignBottom : Qt::AlignTop;
    if (flags & W)
        align |= Qt::TextWordWrap;
    const QString shown = flags & S ? QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) : text;
    const QSize room(rect.width() - int(1.0 * m_fx), rect.height());
    const QSize needed = painter.fontMetrics().boundingRect(rect, align, shown).size();
    if (!(flags & F) || (needed.width() <= room.width() && needed.height() <= room.height()) || room.width() <= 0) {
        painter.drawText(rect, align, shown);
        return;
    }
    const double scale = qMin(double(room.width()) / needed.width(), double(room.height()) / needed.height());
    const QFont before = painter.font();
    QFont smaller = before;
    smaller.setPixelSize(qMax(1, int(before.pixelSize() * qMin(scale, 1.0))));
    painter.setFont(smaller);
    painter.drawText(rect, align, shown);
    painter.setFont(before);
}

void COrdinePrinter::Box(QPainter& painter, double left, double top, double right, double bottom, bool grey)
{
    painter.setPen(Qt::black);
    painter.setBrush(grey ? kGrey : QColor(Qt::white));
    painter.drawRect(Mm(left, top, right, bottom));
}

void COrdinePrinter::Line(QPainter& painter, double x1, double y1, double x2, double y2)
{
    painter.setPen(Qt::black);
    painter.drawLine(QPoint(int(x1 * m_fx), int(y1 * m_fy)), QPoint(int(x2 * m_fx), int(y2 * m_fy)));
}

void COrdinePrinter::Logo(QPainter& painter, const COrdineStampa& data, const QRect& place)
{
    const QString path = m_strProjectFolder + QStringLiteral("website/images/") + data.strLingua + QStringLiteral("/su_logo.gif");
    QImage logo;
    // A missing logo leaves its place empty.
    if (QFileInfo::exists(path) && logo.load(path))
        painter.drawImage(place, logo);
}

QString COrdinePrinter::Address(const COrdineStampa& d) const
{
    return d.strNome + QLatin1Char('\n') + d.strVia + QLatin1Char('\n') + d.strCapDest + QStringLiteral(" - ")
           + d.strLocalitaDest + QStringLiteral(" (") + d.strProvinciaDest + QStringLiteral(")\n") + d.strStatoDest;
}

namespace {

QString Company(const COrdineStampa& d)
{
    return d.strRagioneSociale + QLatin1Char('\n') + d.strIndirizzo + QLatin1Char('\n') + d.strCap + QLatin1Char(' ')
           + d.strLocalita + QStringLiteral(" (") + d.strProvincia + QStringLiteral(")\n") + d.strStato
           + QStringLiteral("\nTel. ") + d.strTelefono + QStringLiteral(" - Fax ") + d.strFax;
}

} // namespace

void COrdinePrinter::Heading(QPainter& p, const COrdineStampa& d)
{
    Logo(p, d, Mm(10, 10, 80, 34));
    SetFont(p, kArial, 3.5, 1.5);
    Text(p, Mm(10, 36, 110, 44), L, d.strURLSito + QLatin1Char('\n') + d.strEmail);
    Line(p, 111, 11, 111, 42);
    Text(p, Mm(112, 11, 199, 50), R, QStringLiteral("Sede aziendale:\n\n") + Company(d));
    Line(p, 200, 11, 200, 42);
    Line(p, 202, 96, 208, 96);
    for (const auto& [x1, y1, x2, y2, x3, y3] :
         {std::tuple{110, 55, 110, 50, 115, 50}, {195, 55, 195, 50, 190, 50}, {115, 85, 110, 85, 110, 80},
          {190, 85, 195, 85, 195, 80}}) {
        Line(p, x1, y1, x2, y2);
        Line(p, x2, y2, x3, y3);
    }
    SetFont(p, kArial, 4.8, 1.8);
    Text(p, Mm(115, 52, 190, 82), R, QStringLiteral("Spett.le / Messrs"));
    SetFont(p, kArial, 5.0, 1.0);
    Text(p, Mm(115, 57, 190, 82), R | F, Address(d));
    Box(p, 10, 50, 95, 64, false);
    Box(p, 10, 64, 65, 71, false);
    Box(p, 10, 71, 65, 78, false);
    Box(p, 65, 64, 95, 78, false);
    Box(p, 10, 78, 95, 85, false);
    SetFont(p, kArial, 3.0, 1.0, false, true);
    Text(p, Mm(11, 50, 94, 63), W, QStringLiteral("Riferimento / Refer."));
    Text(p, Mm(11, 64, 64, 70), L, QStringLiteral("Data / Date"));
    Text(p, Mm(11, 71, 64, 77), L, QStringLiteral("Codice Fiscale - Partita IVA / Vat Number"));
    Text(p, Mm(66, 64, 94, 77), L, QStringLiteral("Fattura n. / Invoice n."));
    Text(p, Mm(11, 78, 94, 84), L, QStringLiteral("Pagamento / Payment"));
    SetFont(p, kArial, 3.0, 1.0, true);
    Text(p, Mm(11, 55, 94, 64), L, d.strRiferimento);
    Text(p, Mm(11, 67.5, 64, 70), C, d.strDataFattura);
    Text(p, Mm(11, 74.5, 64, 77), C, d.strCFPI);
    Text(p, Mm(11, 81.5, 94, 84), L, d.strPagamento);
    SetFont(p, kArial, 6.0, 3.0, true, true);
    Text(p, Mm(66, 66, 94, 78), C | V | S, d.strNumeroFattura + d.strSerie);
    const double cols[] = {10, 125, 137.5, 162.5, 187.5, 200};
    const char* heads[] = {"Descrizione / Description", "Q.ty", "Prezzo/Price", "Importo/Amount", "Iva/Vat"};
    SetFont(p, kArial, 4.0, 1.5);
    for (int i = 0; i < 5; ++i) {
        Box(p, cols[i], 90, cols[i + 1], 98, true);
        Text(p, Mm(cols[i], 90, cols[i + 1], 98), C | V | S | F, QString::fromLatin1(heads[i]));
    }
}

void COrdinePrinter::Footer(QPainter& p, const COrdineStampa& d, bool last)
{
    const double cols[] = {10, 125, 137.5, 162.5, 187.5, 200};
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i)
        p.drawRect(Mm(cols[i], 100, cols[i + 1], 223));
    const double boxes[] = {10, 38, 65, 92, 119, 146, 173, 200};
    for (int i = 0; i < 7; ++i)
        Box(p, boxes[i], 228, boxes[i + 1], 240, i == 5);
    SetFont(p, kArial, 3.0, 1.0, false, true);
    Text(p, Mm(11, 224, 199, 227), L, QStringLiteral("Contributo CONAI assolto ove dovuto"));
    Text(p, Mm(11, 224, 199, 227), R, QStringLiteral("Fattura in %1 / Invoice in %1").arg(d.strSimbolo));
    Text(p, Mm(11, 229, 37, 239), L, QStringLiteral("Peso / Weight"));
    Text(p, Mm(39, 229, 64, 239), L, QStringLiteral("Num. Colli / Cases"));
    Text(p, Mm(93, 229, 118, 239), L, QStringLiteral("Totale imponibile\nTotal before taxes "));
    Text(p, Mm(120, 229, 145, 239), L, QStringLiteral("Totale imposta/Taxes"));
    Text(p, Mm(147, 229, 172, 239), L, QStringLiteral("Totale fattura\nTotal invoice"));
    Text(p, Mm(174, 229, 199, 239), L, QStringLiteral("Totale fattura Euro\nTotal invoice Euro"));
    if (last) {
        SetFont(p, kArial, 3.0, 1.5);
        Text(p, Mm(11, 235, 37, 239), R, QString::asprintf("%4.1f Kg", d.peso).replace(QLatin1Char('.'), QLatin1Char(',')));
        Text(p, Mm(39, 235, 64, 239), R, QString::number(d.nColli));
        Text(p, Mm(93, 235, 118, 239), R, d.Importo(d.totali.imponibile));
        Text(p, Mm(120, 235, 145, 239), R, d.bEsenzioneIVA ? QStringLiteral("NI art.8") : d.Importo(d.totali.imposta));
    }
    SetFont(p, kArial, 3.5, 2.0, true);
    Text(p, Mm(147, 235, 172, 239), R, last ? d.Importo(d.totali.totale) : QStringLiteral("segue"));
    if (last)
        Text(p, Mm(174, 235, 199, 239), R, d.TotaleEuro());
    SetFont(p, kArial, 3.0, 1.2);
    Box(p, 10, 241, 200, 252, false);
    Text(p, Mm(11, 243, 199, 249), V | W, QStringLiteral("Banche d'appoggio:\nBanks"));
    if (d.strPagamento == QLatin1String("Bonifico"))
        Text(p, Mm(39, 243, 199, 249), V | W,
             d.strBanca + QStringLiteral(" - ABI: ") + d.strABI + QStringLiteral(" - CAB: ") + d.strCAB
                 + QStringLiteral(" - C/C: ") + d.strCCBancario);
    SetFont(p, kArial, 2.0, 1.5);
    Text(p, Mm(10, 254, 200, 260), W,
         QStringLiteral("ATTENZIONE: Controllare l'esatta  intestazione  della fattura e  del Codice fiscale / Partita "
                        "IVA. In caso  di errore  comunicarlo tempestivamente, diversamente non ci riterremo obbligati "
                        "in solido come previsto dall'Art. 41 D.P.R. 26/10/72 n. 633."));
    Box(p, 10, 263, 200, 278, true);
    SetFont(p, "Times New Roman", 6.0, 2.5, true, true);
    Text(p, Mm(10, 266, 200, 272), C | V | S, d.strRagioneSociale);
    SetFont(p, "Times New Roman", 3.0, 1.5, false, true);
    Text(p, Mm(10, 273, 200, 276), C | V | S,
         QStringLiteral("Partita IVA ") + d.strPartitaIVA + QLatin1Char(' ') + d.strRegistroImprese);
}

int COrdinePrinter::PrintInvoice(QPagedPaintDevice& device, const COrdineStampa& d)
{
    QPainter p(&device);
    Begin(p);
    return DrawInvoice(p, device, d);
}

void COrdinePrinter::PrintLabel(QPagedPaintDevice& device, const COrdineStampa& d)
{
    QPainter p(&device);
    Begin(p);
    DrawLabel(p, d);
}

void COrdinePrinter::PrintBoth(QPagedPaintDevice& device, const COrdineStampa& invoice, const COrdineStampa& label)
{
    QPainter p(&device);
    Begin(p);
    DrawInvoice(p, device, invoice);
    device.newPage();
    DrawLabel(p, label);
}

int COrdinePrinter::DrawInvoice(QPainter& p, QPagedPaintDevice& device, const COrdineStampa& d)
{
    int page = 1;
    int first = 0;
    for (;;) {
        Heading(p, d);
        if (first > 0) {
            Line(p, 66, 75, 94, 75);
            SetFont(p, kArial, 2.0, 1.0, false, true);
            Text(p, Mm(66, 75, 94, 78), R | V | S, QStringLiteral("Pagina n. %1").arg(page));
        }
        SetFont(p, kArial, 4.0, 1.5);
        double y = 100;
        bool shade = false;
        int next = first;
        for (; next < d.righe.size(); ++next) {
            const COrdineStampa::Riga& riga = d.righe.at(next);
            const QRect measured = p.boundingRect(Mm(11, y, 124, 223), Qt::AlignLeft | Qt::TextWordWrap, riga.strDescrizione);
            const int h = measured.height();
            // A line taller than a whole table still goes, cut at the table's foot.
            if (Y(y) + h > Y(223) && next > first)
                break;
            if (shade) {
                p.setPen(Qt::NoPen);
                p.setBrush(kShade);
                p.drawRect(QRect(QPoint(int(10 * m_fx), Y(y - 1)), QPoint(int(200 * m_fx), qMin(Y(y + 1) + h, Y(223)))));
            }
            p.setPen(Qt::black);
            Text(p, Mm(11, y, 124, 223), W, riga.strDescrizione);
            const int top = Y(y);
            auto band = [&](double left, double right) { return QRect(QPoint(int(left * m_fx), top), QPoint(int(right * m_fx), top + h)); };
            Text(p, band(126, 136.5), R | B | S, COrdineStampa::Quantita(riga.quantita));
            Text(p, band(138.5, 161.5), R | B | S, d.Importo(d.importi.ToMinor(riga.prezzo)));
            Text(p, band(163.5, 186.5), R | B | S, d.Importo(riga.importo));
            if (d.bEsenzioneIVA) {
                SetFont(p, kArial, 4.0, 1.0);
                Text(p, band(188.5, 199), C | B | S, QStringLiteral("NI art.8"));
                SetFont(p, kArial, 4.0, 1.5);
            } else {
                Text(p, band(188.5, 199), C | B | S, QString::asprintf("%2.0f", double(riga.iva)));
            }
            shade = !shade;
            y += h / m_fy + 2;
        }
        const bool last = next >= d.righe.size();
        if (!last && page == 1) {
            Line(p, 66, 80, 94, 80);
            SetFont(p, kArial, 3.0, 1.5, false, true);
            Text(p, Mm(66, 80, 94, 84), R | V | S, QStringLiteral("Pagina n. %1").arg(page));
        }
        Footer(p, d, last);
        if (last)
            break;
        device.newPage();
        ++page;
        first = next;
    }
    return page;
}

void COrdinePrinter::DrawLabel(QPainter& p, const COrdineStampa& d)
{
    Box(p, 10, 10, 90, 16, true);
    Box(p, 90, 10, 200, 16, true);
    Box(p, 10, 66, 80, 72, true);
    Box(p, 80, 66, 200, 72, true);
    Box(p, 10, 16, 90, 60, false);
    Box(p, 90, 16, 200, 60, false);
    Box(p, 10, 72, 80, 132, false);
    Box(p, 80, 72, 200, 132, false);
    Logo(p, d, Mm(15, 20, 85, 44));
    SetFont(p, kArial, 3.5, 1.5);
    Text(p, Mm(15, 46, 75, 54), L, d.strURLSito + QLatin1Char('\n') + d.strEmail);
    SetFont(p, kArial, 4.8, 1.8, true);
    Text(p, Mm(80, 10, 198, 16), R | V | S, QStringLiteral("Mittente / Sender"));
    SetFont(p, kArial, 3.5, 1.5);
    Text(p, Mm(80, 21, 198, 60), R, Company(d));
    SetFont(p, kArial, 4.8, 1.8, true);
    Text(p, Mm(82, 66, 198, 72), R | V | S, QStringLiteral("Destinatario / Adressee"));
    SetFont(p, kArial, 6.0, 3.0);
    Text(p, Mm(82, 92, 198, 130), R, Address(d));
    SetFont(p, kArial, 4.8, 1.8, true);
    Text(p, Mm(12, 66, 80, 72), V | S, QStringLiteral("Riferimento / Reference"));
    Text(p, Mm(12, 92, 78, 132), L, d.strRiferimento);
}
