<!--#include virtual="comune.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// The products one customer ordered in a period (a shopper's own, or one
// of an agent's customers), or an agent's whole book: quantities and
// amounts ordered, shipped and still to ship, sortable, with the totals.
// Whose products may be shown is the order object's decision.
generale.ImpostaLunghezzaElencoProdottiCliente(20);
var selezione = {};
if (Numero(Request.QueryString("IDUtente")) > 0)
    selezione.IDUtente = Numero(Request.QueryString("IDUtente"));
else if (Numero(Request.QueryString("IDAgente")) > 0)
    selezione.IDAgente = Numero(Request.QueryString("IDAgente"));
var righe = [];
var pagine = "";
var errore = "";
var aperto = false;
var nonValido = ValoreNonNumerico({ CampoOrd: 32767, IDUtente: 2147483647, IDAgente: 2147483647 });
var rifiutata = nonValido === "" ? "" : Rifiuta(nonValido);
if (Collegato(false) && rifiutata === "") {
    ordine.CalcolaTotaleOrdiniCliente();
    aperto = ordine.ApriElencoProdottiCliente();
    errore = String(ordine.Errore);
    if (aperto && errore === "") {
        do {
            righe.push({ codice: String(ordine.CodiceProdotto), prezzo: Importo(ordine.FPrezzoProdotto),
                         ordinata: ordine.QuantitaOrdinata, evasa: ordine.QuantitaEvasa,
                         ordinato: Importo(ordine.FImportoOrdinatoCliente), evaso: Importo(ordine.FImportoEvasoCliente),
                         daEvadere: Importo(ordine.FImportoDaEvadereCliente) });
        } while (righe.length < ordine.LunghezzaElencoProdottiCliente && ordine.LeggiProdottiClienteSuccessivo());
        pagine = PagineAzione(ordine.PaginaCorrenteProdottiCliente, ordine.TotalePagineProdottiCliente,
                              ordine.ControlloPrimaPaginaElencoProdottiCliente(),
                              ordine.ControlloUltimaPaginaElencoProdottiCliente(), "/prodotticliente.asp", selezione);
        ordine.ChiudiElencoProdottiCliente();
    }
}
var campo = ordine.CampoOrdinamentoProdotti;
var modo = String(ordine.ModoOrdinamentoProdotti);
var paginaCorrente = Indirizzo("/prodotticliente.asp", selezione);
var titoloPagina = T("PMTPRODOTTIACQUISTATI", "Prodotti acquistati");

function Colonna(chiave, codice, testo) {
    var argomenti = {};
    for (var k in selezione)
        argomenti[k] = selezione[k];
    return Ordina("/prodotticliente.asp", argomenti, chiave, T(codice, testo), campo, modo);
}
%>
<!--#include virtual="testa.inc"-->
<section class="sezione prodotti-cliente">
  <p><a href="/ordini.asp">&larr; <%= H(T("PMTIMIEIORDINI", "I miei ordini")) %></a></p>
  <h1><%= H(titoloPagina) %></h1>
  <%= ModuloPeriodo("/prodotticliente.asp", ordine.ProdottiDallaData, ordine.ProdottiAllaData, selezione) %>
<% if (rifiutata !== "") { %>
  <p class="messaggio errore" role="alert" id="richiesta-rifiutata"><%= H(rifiutata) %></p>
<% } else if (errore !== "") { %>
  <p class="messaggio errore" role="alert" id="errore-periodo"><%= H(errore) %></p>
<% } else if (righe.length === 0) { %>
  <p class="avviso" id="nessun-prodotto"><%= H(T("PMTNESSUNPRODOTTOPERIODO", "Nessun prodotto ordinato nel periodo.")) %></p>
<% } else { %>
  <table class="righe-carrello" id="prodotti-cliente">
    <thead>
      <tr><th scope="col"><%= Colonna(0, "PMTCODICE", "Codice") %></th>
          <th scope="col" class="importo"><%= Colonna(1, "PMTPREZZO", "Prezzo") %></th>
          <th scope="col" class="importo"><%= Colonna(2, "PMTQUANTITA", "Quantità") %></th>
          <th scope="col" class="importo"><%= Colonna(3, "PMTSPEDITA", "Spedita") %></th>
          <th scope="col" class="importo"><%= Colonna(5, "PMTORDINATO", "Ordinato") %></th>
          <th scope="col" class="importo"><%= Colonna(6, "PMTSPEDITO", "Spedito") %></th>
          <th scope="col" class="importo"><%= Colonna(7, "PMTDAEVADERE", "Da spedire") %></th></tr>
    </thead>
    <tbody>
<%   for (var i = 0; i < righe.length; ++i) { %>
      <tr class="riga-prodotto">
        <td><%= H(righe[i].codice) %></td>
        <td class="importo"><%= righe[i].prezzo %></td>
        <td class="importo"><%= righe[i].ordinata %></td>
        <td class="importo"><%= righe[i].evasa %></td>
        <td class="importo"><%= righe[i].ordinato %></td>
        <td class="importo"><%= righe[i].evaso %></td>
        <td class="importo"><%= righe[i].daEvadere %></td>
      </tr>
<%   } %>
    </tbody>
  </table>
  <%= pagine %>
  <table class="totali" id="totali-prodotti">
    <tbody>
      <tr><th scope="row"><%= H(T("PMTORDINATO", "Ordinato")) %></th><td><%= Importo(ordine.FTotaleImportoOrdinato) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTSPEDITO", "Spedito")) %></th><td><%= Importo(ordine.FTotaleImportoEvaso) %></td></tr>
      <tr class="totale"><th scope="row"><%= H(T("PMTDAEVADERE", "Da spedire")) %></th><td id="totale-da-spedire"><%= Importo(ordine.FTotaleImportoDaEvadere) %></td></tr>
    </tbody>
  </table>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
