#include "desktop/orders/COrdiniView.h"

#include "desktop/orders/COrdineClienteDlg.h"
#include "desktop/orders/COrdineGeneraleDlg.h"
#include "desktop/orders/COrdineStatoDlg.h"
#include "desktop/orders/COrdinePrinter.h"
#include "desktop/orders/COrdineStampa.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/CStampaDocumentiDlg.h"
#include "desktop/orders/CStatiPredefinitiDlg.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>

namespace {

enum { ColCodice, ColDescrizione, ColColore, ColTaglia, ColPrezzo, ColQta, ColEvasa, ColImporto, ColumnCount };

CValidatedEdit* TotalField(QWidget* parent)
{
    auto* edit = new CValidatedEdit(parent);
    edit->SetParam(4, 12, 1, 2);
    edit->SetReadOnly(1);
    return edit;
}

} // namespace

COrdiniView::COrdiniView(CDaoDatabase& db, const QString& projectFolder, const QString& defaultLanguage,
                         QWidget* parent)
    : QWidget(parent), m_core(std::make_unique<COrdiniViewCore>(db, projectFolder, defaultLanguage)), m_db(db),
      m_strProjectFolder(projectFolder),
      m_pNumero(new QLabel(this)), m_pData(new QLabel(this)), m_pCliente_(new QLabel(this)),
      m_pImmagine(new QLabel(this)),
      m_pTabs(new QTabWidget(this)), m_pGenerale(new COrdineGeneraleDlg(this)),
      m_pCliente(new COrdineClienteDlg(false, this)), m_pDestinatario(new COrdineClienteDlg(true, this)),
      m_pStato(new COrdineStatoDlg(*m_core, this)), m_pGrid(new CGridCtrl(this)), m_pSpedizione(TotalField(this)),
      m_pContrassegno(TotalField(this)), m_pImponibile(TotalField(this)), m_pImposta(TotalField(this)),
      m_pTotale(TotalField(this))
{
    m_pTabs->addTab(m_pGenerale, QStringLiteral("  Dati generali  "));
    m_pTabs->addTab(m_pCliente, QStringLiteral("  Dati cliente  "));
    m_pTabs->addTab(m_pDestinatario, QStringLiteral("  Dati destinatario  "));
    m_pTabs->addTab(m_pStato, QStringLiteral("  Stato ordine  "));

    auto* header = new QFormLayout;
    header->addRow(QStringLiteral("Ordine n."), m_pNumero);
    header->addRow(QStringLiteral("Data:"), m_pData);
    header->addRow(QStringLiteral("Cliente:"), m_pCliente_);

    auto* totals = new QHBoxLayout;
    const std::pair<const char*, CValidatedEdit*> fields[] = {{"Spedizione", m_pSpedizione},
                                                               {"Contrassegno", m_pContrassegno},
                                                               {"Imponibile", m_pImponibile},
                                                               {"Imposta", m_pImposta},
                                                               {"Totale", m_pTotale}};
    for (const auto& [label, edit] : fields) {
        totals->addWidget(new QLabel(QString::fromUtf8(label), this));
        totals->addWidget(edit);
    }

    m_pImmagine->setFrameShape(QFrame::Box);
    m_pImmagine->setAlignment(Qt::AlignCenter);
    m_pImmagine->setFixedSize(140, 100);
    auto* top = new QHBoxLayout;
    top->addLayout(header, 1);
    top->addWidget(m_pImmagine);
    auto* layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0);
    layout->addWidget(m_pTabs, 1, 0);
    layout->addWidget(m_pGrid, 2, 0);
    layout->addLayout(totals, 3, 0);
    layout->setRowStretch(2, 1);

    BuildLinesGrid();
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_LEAVE, this, &COrdiniView::OnCellLeave);
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this,
            [this](GridNotifyInfo* info) { ShowImage(m_core->ImagePath(info->toRow - 1)); });
    m_pStato->m_editPredefined = [this, &db, defaultLanguage] {
        CStatiPredefinitiDlg dialog(db, m_currentLanguage ? m_currentLanguage() : defaultLanguage, defaultLanguage,
                                    this);
        dialog.exec();
    };
    m_chooseDocuments = [this](bool* fattura, bool* etichetta) {
        CStampaDocumentiDlg dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        *fattura = dialog.Fattura();
        *etichetta = dialog.Etichetta();
        return true;
    };
    m_choosePrinter = [this]() -> std::unique_ptr<QPagedPaintDevice> {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer.get(), this);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        return printer;
    };
    resize(760, 640);
    ShowRecord();
}

COrdiniView::~COrdiniView() = default;

void COrdiniView::BuildLinesGrid()
{
    m_pGrid->SetColumnCount(ColumnCount);
    const QColor light(255, 255, 200), price(255, 255, 180), quantity(255, 255, 160);
    m_pGrid->SetColumn(ColCodice, 70, GridCell::TextKind, QString(), GridCell::Left, 0, 10, 0);
    m_pGrid->SetColumn(ColDescrizione, 180, GridCell::TextKind, QString(), GridCell::Left, 0, 10, 0);
    m_pGrid->SetColumn(ColColore, 60, GridCell::TextKind, QString(), GridCell::Left, 0, 10, 0);
    m_pGrid->SetColumn(ColTaglia, 42, GridCell::TextKind, QString(), GridCell::Left, 0, 10, 0);
    m_pGrid->SetColumn(ColPrezzo, 70, GridCell::TextKind, QString(), GridCell::Right, 4, 12, 2);
    m_pGrid->SetColumn(ColQta, 38, GridCell::TextKind, QString(), GridCell::Right, 2, 6, 2);
    m_pGrid->SetColumn(ColEvasa, 38, GridCell::Edit, QString(), GridCell::Right, 2, 6, 2);
    m_pGrid->SetColumn(ColImporto, 80, GridCell::TextKind, QString(), GridCell::Right, 4, 12, 2);
    for (int col : {ColCodice, ColDescrizione, ColColore, ColTaglia})
        m_pGrid->SetColumnBkColor(col, light);
    for (int col : {ColPrezzo, ColImporto})
        m_pGrid->SetColumnBkColor(col, price);
    for (int col : {ColQta, ColEvasa})
        m_pGrid->SetColumnBkColor(col, quantity);
    m_pGrid->AddRow(QStringLiteral("Codice\tDescrizione\tColore\tTaglia\tPrezzo\tQtà\tEvasa\tImporto\t"));
    for (int col = 0; col < ColumnCount; ++col)
        m_pGrid->SetCellAlign(0, col, GridCell::Centre);
    m_pGrid->SetFixedFirstRow(true);
}

void COrdiniView::ShowRecord()
{
    const OrdineTestata& t = m_core->Testata();
    const OrdineForm& form = m_core->Form();
    m_pNumero->setText(t.strNumero);
    m_pData->setText(m_core->IsEmpty() ? QString() : t.strData);
    m_pCliente_->setText(t.strCliente);
    m_pGenerale->Show(t.strPagamento, m_core->IsEmpty() ? QString() : t.strFattura, t.strNote, form.strColli);
    m_pCliente->SetValues(form.cliente);
    m_pDestinatario->SetValues(form.destinatario);
    m_pStato->Show(t.strCodiceLingua, form.bPagato, form.stati);
    for (COrdineClienteDlg* page : {m_pCliente, m_pDestinatario})
        page->SetReadOnly(t.bFatturata);
    m_pGenerale->SetReadOnly(t.bFatturata);
    m_pContrassegno->setEnabled(t.bContrassegno);
    m_pImposta->setEnabled(!t.bEsenzioneIVA);
    ShowLines();
}

void COrdiniView::ShowImage(const QString& path)
{
    QPixmap picture;
    if (path.isEmpty() || !picture.load(path)) {
        m_pImmagine->clear();
        return;
    }
    // A picture that fits is shown at its own size; a larger one is scaled
    // down keeping its proportions.
    const QSize room = m_pImmagine->contentsRect().size() - QSize(4, 4);
    if (picture.width() > room.width() || picture.height() > room.height())
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_pImmagine->setPixmap(picture);
}

void COrdiniView::ShowLines()
{
    m_pImmagine->clear();
    m_pGrid->SetCurCell(-1, -1);
    while (m_pGrid->GetRowCount() > 1)
        m_pGrid->DeleteRow(m_pGrid->GetRowCount() - 1);
    const COrdineTotali& money = m_core->Importi();
    for (const OrdineRiga& riga : m_core->Righe()) {
        const int row = m_pGrid->AddRow(QString(ColumnCount, QLatin1Char('\t')));
        m_pGrid->SetRowData(row, riga.nID);
        m_pGrid->SetCellText(row, ColCodice, riga.strCodice);
        m_pGrid->SetCellText(row, ColDescrizione, riga.strDescrizione);
        m_pGrid->SetCellText(row, ColColore, riga.strColore);
        m_pGrid->SetCellText(row, ColTaglia, riga.strTaglia);
        m_pGrid->SetCellText(row, ColPrezzo, m_core->MoneyText(money.ToMinor(riga.prezzo)));
        m_pGrid->SetCellFloat(row, ColQta, riga.quantita);
        m_pGrid->SetCellFloat(row, ColEvasa, riga.evasa);
        m_pGrid->SetCellText(row, ColImporto, m_core->MoneyText(riga.importo));
        if (m_core->Testata().bFatturata)
            m_pGrid->SetCellKind(row, ColEvasa, GridCell::TextKind);
        m_pGrid->SetRowTextColor(row, riga.IsShipped() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    }
    ShowTotals();
}

void COrdiniView::ShowTotals()
{
    // Read-only figures, shown with all their decimals ("39,60").
    const COrdineTotali::Totali& t = m_core->Totali();
    m_pSpedizione->setText(m_core->MoneyText(t.spedizione));
    m_pContrassegno->setText(m_core->MoneyText(t.contrassegno));
    m_pImponibile->setText(m_core->MoneyText(t.imponibile));
    m_pImposta->setText(m_core->MoneyText(t.imposta));
    m_pTotale->setText(m_core->MoneyText(t.totale));
}

void COrdiniView::OnCellLeave(GridNotifyInfo* info, int* result)
{
    if (info->fromCol != ColEvasa || info->fromRow < 1)
        return;
    const int line = info->fromRow - 1;
    QString typed = info->text;
    std::optional<COrdineStati::Entry> shipped;
    if (!m_core->SetShipped(line, typed.replace(QLatin1Char(','), QLatin1Char('.')).toFloat(), &shipped)) {
        *result = -1;
        return;
    }
    const OrdineRiga& riga = m_core->Righe().at(line);
    m_pGrid->SetCellText(info->fromRow, ColImporto, m_core->MoneyText(riga.importo));
    m_pGrid->SetRowTextColor(info->fromRow, riga.IsShipped() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    ShowTotals();
    if (shipped)
        m_pStato->AppendEntry(*shipped);
}

OrdineForm COrdiniView::Pull() const
{
    OrdineForm form;
    form.cliente = m_pCliente->Values();
    form.destinatario = m_pDestinatario->Values();
    form.strColli = m_pGenerale->Parcels();
    form.bPagato = m_pStato->Paid();
    form.stati = m_pStato->Entries();
    return form;
}

bool COrdiniView::IsRecordModified()
{
    // A shipped quantity being typed counts as a change.
    if (m_pGrid->IsEditing() && !m_core->IsEmpty())
        return true;
    return m_core->IsRecordModified(Pull());
}

void COrdiniView::CommitTypedShipped()
{
    // A shipped quantity still being typed is stored as leaving its cell
    // would store it; the cell is then left without further notice.
    if (m_pGrid->IsEditing() && m_pGrid->GetCurCol() == ColEvasa) {
        GridNotifyInfo info{m_pGrid->GetCurRow(), ColEvasa, -1, -1, m_pGrid->GetCellText(m_pGrid->GetCurRow(), ColEvasa)};
        int result = 0;
        OnCellLeave(&info, &result);
    }
    m_pGrid->SetCurCell(-1, -1);
}

bool COrdiniView::SaveRecord()
{
    CommitTypedShipped();
    return m_core->SaveRecord(Pull());
}

bool COrdiniView::IsViewCommandEnabled(int id)
{
    if (m_core->IsEmpty())
        return false;
    switch (id) {
    case ID_RECORD_FIRST:
    case ID_RECORD_PREV: return !m_core->IsFirst();
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return !m_core->IsLast();
    case ID_EMETTI_FATTURA: return m_core->CanIssueInvoice();
    case ID_CANCELLA_FATTURA: return m_core->CanCancelInvoice();
    case ID_FILE_PRINT: return m_core->Testata().bFatturata;
    default: return false;
    }
}

void COrdiniView::OnFilePrint()
{
    if (m_core->IsEmpty() || !m_core->Testata().bFatturata)
        return;
    SaveRecord();
    bool fattura = true, etichetta = true;
    if (!m_chooseDocuments || !m_chooseDocuments(&fattura, &etichetta) || (!fattura && !etichetta))
        return;
    std::unique_ptr<QPagedPaintDevice> device = m_choosePrinter ? m_choosePrinter() : nullptr;
    if (!device)
        return;
    COrdinePrinter printer(m_strProjectFolder);
    const qint32 id = m_core->CurrentID();
    if (fattura && etichetta)
        printer.PrintBoth(*device, COrdineStampa::Fattura(m_db, id), COrdineStampa::Etichetta(m_db, id));
    else if (fattura)
        printer.PrintInvoice(*device, COrdineStampa::Fattura(m_db, id));
    else
        printer.PrintLabel(*device, COrdineStampa::Etichetta(m_db, id));
}

void COrdiniView::OnViewCommand(int id)
{
    if (id == ID_FILE_PRINT) {
        OnFilePrint();
        return;
    }
    if (id == ID_EMETTI_FATTURA || id == ID_CANCELLA_FATTURA) {
        CommitTypedShipped();
        const bool changed = id == ID_EMETTI_FATTURA ? m_core->IssueInvoice(Pull()) : m_core->CancelInvoice();
        if (changed)
            ShowRecord();
        return;
    }
    const std::pair<int, COrdiniViewCore::Step> steps[] = {{ID_RECORD_FIRST, COrdiniViewCore::First},
                                                            {ID_RECORD_PREV, COrdiniViewCore::Prev},
                                                            {ID_RECORD_NEXT, COrdiniViewCore::Next},
                                                            {ID_RECORD_LAST, COrdiniViewCore::Last}};
    for (const auto& [command, step] : steps)
        if (command == id) {
            CommitTypedShipped();
            m_core->Move(step, Pull());
            ShowRecord();
        }
}
