<!--#include virtual="comune.inc"-->
<%
// The shopper's basket: applies what the visitor asked (an item from a
// product page, a quantity, a removal, emptying, the shipping option) and
// lists the items with their totals. Every price is the shop's: the
// basket takes none from the request.
var carrello = Server.CreateObject("QTR50.Carrello");
carrello.SetConn(generale.Conn);
carrello.EseguiOperazione();
var paginaCorrente = "/carrello.asp";
var titoloPagina = T("PMTCARRELLO", "Carrello");
var opzioniSpedizione = String(carrello.OpzioniSpeseSpedizione(T("PMTSCEGLISPEDIZIONE", "Scegli la spedizione")));
// A shop without shipping options lets the visitor go on without one.
var haSpedizioni = opzioniSpedizione.split("<option").length > 2;
var puoProcedere = !haSpedizioni || carrello.SpeseSpedizioneOk();
%>
<!--#include virtual="testa.inc"-->
<section class="sezione carrello">
  <h1><%= H(T("PMTCARRELLO", "Carrello")) %></h1>
<% if (String(carrello.Messaggio) !== "") { %>
  <p class="messaggio errore" role="alert" id="messaggio-carrello"><%= H(carrello.Messaggio) %></p>
<% } %>
<% if (carrello.NumeroOggettiNelCarrello == 0) { %>
  <p class="avviso" id="carrello-vuoto"><%= H(T("PMTCARRELLOVUOTO", "Il carrello è vuoto.")) %></p>
  <p><a class="bottone" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
<% } else { %>
  <table class="righe-carrello" id="righe-carrello">
    <thead>
      <tr><th scope="col"><%= H(T("PMTPRODOTTO", "Prodotto")) %></th><th scope="col"><%= H(T("PMTPREZZO", "Prezzo")) %></th><th scope="col"><%= H(T("PMTQUANTITA", "Quantità")) %></th><th scope="col"><%= H(T("PMTIMPORTO", "Importo")) %></th><th scope="col"></th></tr>
    </thead>
    <tbody>
<%   for (var i = 1; i <= carrello.NumeroOggettiNelCarrello; ++i) {
         carrello.LeggiOggetto(i);
         var dettagli = [];
         if (String(carrello.Taglia) !== "")
             dettagli.push(H(T("PMTTAGLIA", "Taglia")) + ": " + H(carrello.Taglia));
         if (carrello.IDColore > 0)
             dettagli.push(H(T("PMTCOLORE", "Colore")) + ": " + H(carrello.DescrizioneColoreProdotto));
         for (var c = 1; c <= carrello.NumeroCampiUtente; ++c) {
             var valore = carrello.LeggiCampoUtente(c);
             dettagli.push(H(carrello.NomeCampoUtente) + ": " + H(valore));
         } %>
      <tr class="riga-carrello" data-indice="<%= i %>">
        <td class="nome"><a href="<%= H(IndirizzoProdotto(carrello.IDProdotto)) %>"><%= H(carrello.NomeProdotto) %></a><% if (dettagli.length) { %><br><small class="dettagli"><%= dettagli.join(" · ") %></small><% } %></td>
        <td class="prezzo-unitario"><%= Importo(carrello.FPrezzoProdotto) %></td>
        <td class="quantita">
          <form method="post" action="/carrello.asp">
            <input type="hidden" name="IndiceOggetto" value="<%= i %>">
            <input type="number" name="Quantita" min="1" step="any" value="<%= H(carrello.Quantita) %>" aria-label="<%= H(T("PMTQUANTITA", "Quantità")) %>">
            <button class="bottone" type="submit" name="Modifica" value="1"><%= H(T("PMTAGGIORNA", "Aggiorna")) %></button>
          </form>
        </td>
        <td class="importo"><%= Importo(carrello.FImportoProdotto) %></td>
        <td><a class="togli" href="<%= H(Indirizzo("/carrello.asp", { Operazione: "elimina", IndiceOggetto: i })) %>"><%= H(T("PMTTOGLI", "Togli")) %></a></td>
      </tr>
<%   } %>
    </tbody>
  </table>
<%   if (haSpedizioni) { %>
  <form class="spedizione" method="post" action="/carrello.asp" id="scelta-spedizione">
    <label for="IDSpese"><%= H(T("PMTSPEDIZIONE", "Spedizione")) %></label>
    <%= opzioniSpedizione.replace("<select name=IDSpese ", "<select id=\"IDSpese\" name=IDSpese ") %>
    <button class="bottone" type="submit" name="Spese" value="1"><%= H(T("PMTSCEGLI", "Scegli")) %></button>
  </form>
<%   } %>
  <table class="totali" id="totali-carrello">
    <tbody>
      <tr><th scope="row"><%= H(T("PMTTOTALEPRODOTTI", "Merce")) %></th><td id="totale-prodotti"><%= Importo(carrello.FTotaleProdotti) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTSPESESPEDIZIONE", "Spedizione")) %></th><td id="spese-spedizione"><%= Importo(carrello.FImportoSpeseSpedizione) %></td></tr>
      <tr><th scope="row"><%= H(T("PMTTOTALEIVA", "IVA")) %></th><td id="totale-iva"><%= Importo(carrello.FTotaleIVA) %></td></tr>
      <tr class="totale"><th scope="row"><%= H(T("PMTTOTALEORDINE", "Totale")) %></th><td id="totale-ordine"><%= Importo(carrello.FTotaleOrdine) %></td></tr>
    </tbody>
  </table>
  <p class="azioni-carrello">
    <a class="togli" id="svuota-carrello" href="/carrello.asp?Operazione=svuota"><%= H(T("PMTSVUOTA", "Svuota il carrello")) %></a>
<%   if (puoProcedere) { %>
    <a class="bottone" id="procedi-ordine" href="/datiordine.asp"><%= H(T("PMTPROCEDI", "Procedi con l'ordine")) %></a>
<%   } else { %>
    <span class="avviso" id="scegli-spedizione"><%= H(T("PMTSCEGLISPEDIZIONEPRIMA", "Scegli la spedizione per procedere con l'ordine.")) %></span>
<%   } %>
  </p>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% carrello.Free(); %>
