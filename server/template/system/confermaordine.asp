<!--#include virtual="comune.inc"-->
<%
// The order's summary: the basket with its totals, the buyer, the
// consignee and the payment as the checkout accepted them. Sending it
// stores the order and mails the merchant; a card payment then goes to
// the bank's page, any other payment straight to the confirmation.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var carrello = Server.CreateObject("QTR50.Carrello");
carrello.SetConn(generale.Conn);
var paginaCorrente = "/confermaordine.asp";
var titoloPagina = T("PMTRIEPILOGOORDINE", "Riepilogo dell'ordine");

// Sending stores the order once: a repeated send, or a send after the
// basket went with its order, shows that order (or its payment) again.
// A checkout that was not accepted, a payment kind the shop does not take,
// a basket without its shipping or an empty one has nothing to send. Once
// the order is stored the page never fails: a mail waits in the queue, and
// a bank that cannot be reached leaves the payment to be done again.
function Indietro(pagina) {
    carrello.Free();
    ordine.Free();
    Response.Redirect(pagina);
}
var invio = String(Request.ServerVariables("REQUEST_METHOD")) === "POST" && String(Request.Form("Invia")) === "1";
var rifiuto = String(ordine.ControlloInvio());
if (invio && ordine.OrdineGiaInviato()) {
    Indietro("/ordineinviato.asp");
} else if (rifiuto !== "") {
    Indietro(rifiuto);
} else if (invio) {
    carrello.Free();
    ordine.NotificaEsercente();
    ordine.MemorizzaCookieCliente();
    if (String(ordine.TipoPagamento) === "CartaCredito") {
        // The order is written: the bank is asked for the stored order, and
        // what the visitor buys next is another basket.
        carrello = Server.CreateObject("QTR50.Carrello");
        carrello.SetConn(generale.Conn);
        carrello.Svuota();
        carrello.Free();
    }
    // A card order the bank cannot take now (no request password left, too
    // many card orders) stays stored: the payment page says why and offers
    // to try again.
    var indirizzoBanca = "";
    try {
        indirizzoBanca = String(ordine.URLValidazioneCartaCredito());
    } catch (e) {
        Session.ErrorePagamento = String(e.message || e);
        ordine.Free();
        Response.Redirect("/ripetipagamento.asp");
    }
    if (indirizzoBanca === "" && !ordine.PagamentoInSospeso())
        ordine.NotificaCliente();
    ordine.Free();
    Response.Redirect(indirizzoBanca !== "" ? indirizzoBanca : "/ordineinviato.asp");
}

var pagamenti = { Bonifico: ["PMTBONIFICO", "Bonifico bancario"], CCPostale: ["PMTCCPOSTALE", "Conto corrente postale"],
                  Contrassegno: ["PMTCONTRASSEGNO", "Contrassegno"], CartaCredito: ["PMTCARTACREDITO", "Carta di credito"] };
function NomePagamento(tipo) {
    var p = pagamenti[tipo];
    return p ? T(p[0], p[1]) : tipo;
}

function Indirizzo(o, prefisso) {
    var righe = [];
    if (String(o[prefisso + "RagioneSociale"]) !== "")
        righe.push(H(o[prefisso + "RagioneSociale"]));
    righe.push(H(o[prefisso + "Cognome"]) + " " + H(o[prefisso + "Nome"]));
    righe.push(H(o[prefisso + "Indirizzo"]));
    righe.push(H(o[prefisso + "Cap"]) + " " + H(o[prefisso + "Localita"]) + " (" + H(o[prefisso + "Provincia"]) + ") - " + H(o[prefisso + "Stato"]));
    return righe.join("<br>");
}
%>
<!--#include virtual="testa.inc"-->
<section class="sezione conferma-ordine">
  <h1><%= H(T("PMTRIEPILOGOORDINE", "Riepilogo dell'ordine")) %></h1>
  <table class="righe-carrello" id="righe-ordine">
    <thead>
      <tr><th scope="col"><%= H(T("PMTPRODOTTO", "Prodotto")) %></th><th scope="col"><%= H(T("PMTPREZZO", "Prezzo")) %></th><th scope="col"><%= H(T("PMTQUANTITA", "Quantità")) %></th><th scope="col"><%= H(T("PMTIMPORTO", "Importo")) %></th></tr>
    </thead>
    <tbody>
<% for (var i = 1; i <= carrello.NumeroOggettiNelCarrello; ++i) {
       carrello.LeggiOggetto(i); %>
      <tr class="riga-ordine">
        <td class="nome"><%= H(carrello.NomeProdotto) %><% if (String(carrello.Taglia) !== "") { %> · <%= H(T("PMTTAGLIA", "Taglia")) %>: <%= H(carrello.Taglia) %><% } %><% if (carrello.IDColore > 0) { %> · <%= H(T("PMTCOLORE", "Colore")) %>: <%= H(carrello.DescrizioneColoreProdotto) %><% } %></td>
        <td class="prezzo-unitario"><%= Importo(carrello.FPrezzoProdotto) %></td>
        <td class="quantita"><%= H(carrello.Quantita) %></td>
        <td class="importo"><%= Importo(carrello.FImportoProdotto) %></td>
      </tr>
<% } %>
    </tbody>
  </table>
  <table class="totali" id="totali-ordine">
    <tbody>
      <tr><th scope="row"><%= H(T("PMTTOTALEPRODOTTI", "Merce")) %></th><td id="totale-prodotti"><%= Importo(carrello.FTotaleProdotti) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTSPESESPEDIZIONE", "Spedizione")) %></th><td id="spese-spedizione"><%= Importo(carrello.FImportoSpeseSpedizione) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTTOTALEIVA", "IVA")) %></th><td id="totale-iva"><%= Importo(carrello.FTotaleIVA) %></td></tr>
      <tr class="totale"><th scope="row"><%= H(T("PMTTOTALEORDINE", "Totale")) %></th><td id="totale-ordine"><%= Importo(carrello.FTotaleOrdine) %></td></tr>
    </tbody>
  </table>
  <div class="schede-indirizzi">
    <div class="scheda-indirizzo" id="acquirente">
      <h2><%= H(T("PMTACQUIRENTE", "Acquirente")) %></h2>
      <p><%= Indirizzo(ordine, "") %><br><%= H(ordine.Email) %></p>
    </div>
<% if (String(ordine.D_Cognome) !== "") { %>
    <div class="scheda-indirizzo" id="destinatario">
      <h2><%= H(T("PMTDESTINATARIO", "Destinatario")) %></h2>
      <p><%= Indirizzo(ordine, "D_") %></p>
    </div>
<% } %>
    <div class="scheda-indirizzo" id="pagamento">
      <h2><%= H(T("PMTPAGAMENTO", "Pagamento")) %></h2>
      <p><%= H(NomePagamento(String(ordine.TipoPagamento))) %></p>
<% if (String(ordine.TipoPagamento) === "CartaCredito") { %>
      <p class="nota-pagamento"><%= H(T("MSGPAGAMENTOBANCA", "Pagherai sulla pagina sicura della banca: il negozio non vede i dati della carta.")) %></p>
<% } %>
    </div>
  </div>
  <form method="post" action="/confermaordine.asp" id="invia-ordine">
    <input type="hidden" name="Invia" value="1">
    <p>
      <button class="bottone" type="submit" id="conferma-ordine"><%= H(String(ordine.TipoPagamento) === "CartaCredito" ? T("PMTINVIAEPAGA", "Invia l'ordine e paga") : T("PMTINVIAORDINE", "Invia l'ordine")) %></button>
      <a class="togli" href="/datiordine.asp"><%= H(T("PMTMODIFICADATI", "Modifica i dati")) %></a>
    </p>
  </form>
</section>
<!--#include virtual="piede.inc"-->
<% carrello.Free(); ordine.Free(); %>
