<!--#include virtual="comune.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// One of the signed-in shopper's orders: who it goes to, its states, its
// lines with what was shipped and what is still to ship, and its totals.
// Another customer's order, or a number that is none, is not found.
var idOrdine = Numero(Request.QueryString("IDOrdine"));
var trovato = idOrdine > 0 && ordine.LeggiOrdine(idOrdine);
var stati = [];
var righe = [];
if (trovato) {
    for (var n = 1; ordine.LeggiStatoOrdine(n); ++n)
        stati.push({ data: Data(ordine.DataStatoOrdine), ora: Ora(ordine.OraStatoOrdine), testo: String(ordine.DescrizioneStatoOrdine) });
    if (ordine.LeggiPrimoRigoDettaglio()) {
        do {
            righe.push({ id: ordine.IDProdottoDettaglioOrdine, codice: String(ordine.CodiceProdottoDettaglioOrdine),
                         nome: String(ordine.NomeProdottoDettaglioOrdine), taglia: String(ordine.TagliaProdottoDettaglioOrdine),
                         quantita: ordine.QuantitaDettaglioOrdine, evasa: ordine.QuantitaEvasaDettaglioOrdine,
                         prezzo: ImportoOrdine(ordine.FPrezzoProdottoDettaglioOrdine),
                         importo: ImportoOrdine(ordine.FImportoProdottoDettaglioOrdinato) });
        } while (ordine.LeggiRigoDettaglioSuccessivo());
    }
} else {
    NonTrovato();
}
var paginaCorrente = Indirizzo("/ordine.asp", { IDOrdine: idOrdine });
var titoloPagina = trovato ? T("PMTORDINEN", "Ordine [N]", String(ordine.NumeroOrdine)) : T("PMTORDINENONTROVATO", "Ordine non trovato");

function Indirizzo_(prefisso) {
    var parti = [];
    var nome = [String(ordine[prefisso + "RagioneSociale"]), String(ordine[prefisso + "Nome"]) + " " + String(ordine[prefisso + "Cognome"])];
    for (var i = 0; i < nome.length; ++i)
        if (nome[i].trim() !== "")
            parti.push(H(nome[i]));
    parti.push(H(ordine[prefisso + "Indirizzo"]));
    parti.push(H(String(ordine[prefisso + "Cap"]) + " " + String(ordine[prefisso + "Localita"]) +
                 (String(ordine[prefisso + "Provincia"]) !== "" ? " (" + String(ordine[prefisso + "Provincia"]) + ")" : "")));
    parti.push(H(ordine[prefisso + "Stato"]));
    return parti.filter(function (p) { return p.trim() !== ""; }).join("<br>");
}
%>
<!--#include virtual="testa.inc"-->
<section class="sezione ordine">
  <p><a href="/ordini.asp">&larr; <%= H(T("PMTIMIEIORDINI", "I miei ordini")) %></a></p>
  <h1><%= H(titoloPagina) %></h1>
<% if (!trovato) { %>
  <p class="avviso" id="ordine-non-trovato"><%= H(T("PMTORDINENONTROVATOTESTO", "Questo ordine non è tra i tuoi.")) %></p>
<% } else { %>
  <div class="riepilogo-ordine">
    <dl class="recapiti" id="testata-ordine">
      <dt><%= H(T("PMTDATA", "Data")) %></dt><dd><%= H(Data(ordine.DataOrdine)) %> <%= H(Ora(ordine.OraOrdine)) %></dd>
      <dt><%= H(T("PMTPAGAMENTO", "Pagamento")) %></dt><dd><%= H(ordine.TipoPagamento) %><% if (ordine.StatoPagamento) { %> · <%= H(T("PMTPAGATO", "pagato")) %><% } %></dd>
      <dt><%= H(T("PMTSTATOORDINE", "Stato")) %></dt><dd id="stato-ordine"><%= H(ordine.DescrizioneStatoOrdine) || "—" %></dd>
<%   if (ordine.NumeroFatturaOrdine > 0) { %>
      <dt><%= H(T("PMTFATTURA", "Fattura")) %></dt><dd><%= ordine.NumeroFatturaOrdine %> · <%= H(Data(ordine.DataFatturaOrdine)) %></dd>
<%   } %>
    </dl>
    <dl class="recapiti">
      <dt><%= H(T("PMTINTESTATARIO", "Intestatario")) %></dt><dd><%= Indirizzo_("") %></dd>
<%   if (String(ordine.D_Cognome) !== "" || String(ordine.D_RagioneSociale) !== "") { %>
      <dt><%= H(T("PMTDESTINATARIO", "Destinatario")) %></dt><dd id="destinatario"><%= Indirizzo_("D_") %></dd>
<%   } %>
<%   if (String(ordine.Note) !== "") { %>
      <dt><%= H(T("PMTNOTE", "Note")) %></dt><dd><%= Paragrafi(ordine.Note) %></dd>
<%   } %>
    </dl>
  </div>
  <table class="righe-carrello" id="righe-ordine">
    <thead>
      <tr><th scope="col"><%= H(T("PMTPRODOTTO", "Prodotto")) %></th><th scope="col"><%= H(T("PMTPREZZO", "Prezzo")) %></th><th scope="col"><%= H(T("PMTQUANTITA", "Quantità")) %></th><th scope="col"><%= H(T("PMTSPEDITA", "Spedita")) %></th><th scope="col" class="importo"><%= H(T("PMTIMPORTO", "Importo")) %></th></tr>
    </thead>
    <tbody>
<%   for (var r = 0; r < righe.length; ++r) { %>
      <tr class="riga-ordine">
        <td class="nome"><a href="<%= H(IndirizzoProdotto(righe[r].id)) %>"><%= H(righe[r].nome) %></a><br><small class="dettagli"><%= H(righe[r].codice) %><% if (righe[r].taglia !== "") { %> · <%= H(T("PMTTAGLIA", "Taglia")) %>: <%= H(righe[r].taglia) %><% } %></small></td>
        <td class="prezzo-unitario"><%= righe[r].prezzo %></td>
        <td><%= righe[r].quantita %></td>
        <td><%= righe[r].evasa %></td>
        <td class="importo"><%= righe[r].importo %></td>
      </tr>
<%   } %>
    </tbody>
  </table>
  <table class="totali" id="totali-ordine">
    <tbody>
      <tr><th scope="row"><%= H(T("PMTTOTALEPRODOTTI", "Merce")) %></th><td><%= ImportoOrdine(ordine.FTotaleImponibileOrdinato) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTSPESESPEDIZIONE", "Spedizione")) %></th><td><%= ImportoOrdine(ordine.FSpeseSpedizioneOrdine) %></td></tr>
<%   if (ordine.SpeseContrassegnoOrdine > 0) { %>
      <tr><th scope="row"><%= H(T("PMTCONTRASSEGNO", "Contrassegno")) %></th><td><%= ImportoOrdine(ordine.FSpeseContrassegnoOrdine) %></td></tr>
<%   } %>
      <tr><th scope="row"><%= H(T("PMTTOTALEIVA", "IVA")) %><% if (ordine.EsenzioneIVA) { %> (<%= H(T("PMTESENTE", "esente")) %>)<% } %></th><td><%= ImportoOrdine(ordine.FTotaleImpostaOrdinato) %></td></tr>
      <tr class="totale"><th scope="row"><%= H(T("PMTTOTALEORDINE", "Totale")) %></th><td id="totale-ordine"><%= ImportoOrdine(ordine.FTotaleOrdinato) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTDASPEDIRE", "Merce ancora da spedire")) %></th><td id="da-spedire"><%= ImportoOrdine(ordine.FTotaleImponibileOrdineDaEvadere) %></td></tr>
    </tbody>
  </table>
<%   if (stati.length) { %>
  <section class="stati-ordine">
    <h2><%= H(T("PMTSTORIAORDINE", "Storia dell'ordine")) %></h2>
    <ol id="stati-ordine">
<%     for (var s = 0; s < stati.length; ++s) { %>
      <li><span class="quando"><%= H(stati[s].data) %> <%= H(stati[s].ora) %></span> <%= H(stati[s].testo) %></li>
<%     } %>
    </ol>
  </section>
<%   } %>
  <p><a class="bottone" href="/riordino.asp"><%= H(T("PMTRIORDINA", "Ordina di nuovo i prodotti già acquistati")) %></a></p>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
