// Sample export script: copy it to scripts/export.js in your project.
//
// After each order download the program calls EsportaOrdine once for every
// new order, with the order's ID as text, and then hands the orders over to
// nothing else: what your other system needs, this script writes. This
// sample writes one text file per order, "ordine-<ID>.txt", in the exchange
// folder (the first line of path.ini), with the customer and one line per
// ordered item:
//
//     ORDINE;1000000005;Rossi;Mario;mario.rossi@example.com
//     RIGA;SEDIA01;2;89,9
//
// QTR.ValoreCampoTabella(tabella, colonna, condizione, [valori]) reads one
// value; QTR.ApriTabella, QTR.SelezionaRecord and
// QTR.SelezionaRecordSuccessivo walk several rows; QTR.ValoreCampo reads a
// column of the current row; QTR.ScriviNuovoFileExport and
// QTR.ScriviFileExport write a line to a file of the exchange folder.
//
// Return false to stop exporting the remaining orders of this download.

function EsportaOrdine(idOrdine) {
    var file = "ordine-" + idOrdine + ".txt";
    var condizione = "ID=?";
    var cognome = QTR.ValoreCampoTabella("Ordini", "Cognome", condizione, [idOrdine]);
    var nome = QTR.ValoreCampoTabella("Ordini", "Nome", condizione, [idOrdine]);
    var email = QTR.ValoreCampoTabella("Ordini", "Email", condizione, [idOrdine]);
    QTR.ScriviNuovoFileExport(file, ["ORDINE", idOrdine, cognome, nome, email].join(";"));

    QTR.ApriTabella("OrdiniDettaglio");
    var trovato = QTR.SelezionaRecord("IDOrdine=?", [idOrdine]);
    while (trovato) {
        QTR.ScriviFileExport(file, ["RIGA", QTR.ValoreCampo("CodiceProdotto"), QTR.ValoreCampo("Quantita").trim(),
                                    QTR.ValoreCampo("Prezzo").trim()].join(";"));
        trovato = QTR.SelezionaRecordSuccessivo("IDOrdine=?", [idOrdine]);
    }
    QTR.ChiudiTabella();
    return true;
}
