// Sample import script: copy it to scripts/import.js in your project and
// adapt it to the files your other system writes.
//
// The exchange folder is the first line of path.ini in the project. Every
// file in it whose name starts with "g" is read, oldest first, one line at
// a time. This sample expects lines like
//
//     CODICE;Nome del prodotto;Prezzo;IVA;CODICECATEGORIA;Nome della categoria
//
// for example
//
//     SEDIA01;Sedia in faggio;89,90;22;SEDIE;Sedie
//
// Numbers may use a decimal comma or point. An empty line ends the data, so
// a file must not hold empty lines in the middle.
//
// The program calls three functions, each only if the script defines it:
//   ApriSessioneImport()   once at the start; return false to import nothing
//   ImportaRecord()        again and again while it returns true
//   ChiudiSessioneImport() once at the end
//
// QTR is the program's object. The methods used here:
//   QTR.InizializzaFiles()            collects the files; false when empty
//   QTR.LeggiRecord()                 the next line, "" at the end
//   QTR.ApriTabella(tabella)          the table the next calls work on
//   QTR.ImpostaCampo(colonna, valore) a value for the next ModificaRecord
//   QTR.ModificaRecord(condizione, [valori])
//       changes the first row that matches the condition, or adds one,
//       and returns its ID; each "?" in the condition takes the next value
//       of the list, so codes with quotes or other signs are safe.
//
// If anything goes wrong the import stops, nothing is changed, and the data
// files stay in the exchange folder for the next try.

var lingua = "it";

function ApriSessioneImport() {
    return QTR.InizializzaFiles();
}

function ImportaRecord() {
    var riga = QTR.LeggiRecord();
    if (riga === "")
        return false;
    var campi = riga.split(";");
    if (campi.length < 6)
        throw new Error("Riga incompleta: " + riga);

    var idCategoria = Categoria(campi[4], campi[5]);

    QTR.ApriTabella("Prodotti");
    QTR.ImpostaCampo("Codice", campi[0]);
    QTR.ImpostaCampo("IVA", campi[3]);
    QTR.ImpostaCampo("Attivo", "1");
    var idProdotto = QTR.ModificaRecord("Codice=?", [campi[0]]);

    QTR.ApriTabella("ProdottiLingue");
    QTR.ImpostaCampo("IDProdotto", String(idProdotto));
    QTR.ImpostaCampo("CodiceLingua", lingua);
    QTR.ImpostaCampo("Nome", campi[1]);
    QTR.ImpostaCampo("Prezzo", campi[2]);
    QTR.ModificaRecord("IDProdotto=? AND CodiceLingua=?", [idProdotto, lingua]);

    QTR.ApriTabella("CategorieProdotti");
    QTR.ImpostaCampo("IDProdotto", String(idProdotto));
    QTR.ImpostaCampo("IDCategoria", String(idCategoria));
    QTR.ModificaRecord("IDProdotto=? AND IDCategoria=?", [idProdotto, idCategoria]);
    return true;
}

function ChiudiSessioneImport() {
    QTR.ChiudiTabella();
}

// The category with that code, made when it is new; returns its ID.
function Categoria(codice, nome) {
    QTR.ApriTabella("Categorie");
    QTR.ImpostaCampo("Codice", codice);
    var id = QTR.ModificaRecord("Codice=?", [codice]);
    QTR.ApriTabella("CategorieLingue");
    QTR.ImpostaCampo("IDCategoria", String(id));
    QTR.ImpostaCampo("CodiceLingua", lingua);
    QTR.ImpostaCampo("Nome", nome);
    QTR.ModificaRecord("IDCategoria=? AND CodiceLingua=?", [id, lingua]);
    return id;
}
