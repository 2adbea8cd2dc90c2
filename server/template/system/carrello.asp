<%
// The shopper's basket: applies what the visitor asked (add from a product
// page, change a quantity, remove, empty, choose the shipping) and lists
// the items with their totals. Prices come from the catalogue only.
function Html(testo) {
    return String(testo === undefined || testo === null ? "" : testo)
        .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
var carrello = Server.CreateObject("QTR50.Carrello");
carrello.EseguiOperazione();
var simbolo = Html(Session("SimboloValuta"));
%><!DOCTYPE html>
<html lang="it">
<head>
<meta charset="utf-8">
<title>Carrello</title>
</head>
<body>
<h1>Il tuo carrello</h1>
<% if (carrello.Messaggio != "") { %>
<p class="messaggio" id="messaggio"><%= Html(carrello.Messaggio) %></p>
<% } %>
<% if (carrello.NumeroOggettiNelCarrello == 0) { %>
<p id="vuoto">Il carrello è vuoto.</p>
<% } else { %>
<table class="carrello" id="righe">
<tr><th>Prodotto</th><th>Taglia</th><th>Colore</th><th>Prezzo</th><th>Quantità</th><th>Importo</th><th></th></tr>
<% for (var i = 1; i <= carrello.NumeroOggettiNelCarrello; i++) {
       carrello.LeggiOggetto(i); %>
<tr class="riga">
<td class="nome"><%= Html(carrello.NomeProdotto) %><% for (var c = 1; c <= carrello.NumeroCampiUtente; c++) { var valore = carrello.LeggiCampoUtente(c); %><br><small><%= Html(carrello.NomeCampoUtente) %>: <%= Html(valore) %></small><% } %></td>
<td class="taglia"><%= Html(carrello.Taglia) %></td>
<td class="colore"><%= Html(carrello.DescrizioneColoreProdotto) %></td>
<td class="prezzo"><%= simbolo %> <%= Html(carrello.FPrezzoProdotto) %></td>
<td class="quantita"><form method="post" action="carrello.asp"><input type="hidden" name="IndiceOggetto" value="<%= i %>"><input type="text" name="Quantita" size="4" value="<%= Html(carrello.Quantita) %>"> <input type="submit" name="Modifica" value="Aggiorna"></form></td>
<td class="importo"><%= simbolo %> <%= Html(carrello.FImportoProdotto) %></td>
<td><a class="togli" href="carrello.asp?Operazione=elimina&amp;IndiceOggetto=<%= i %>">Togli</a></td>
</tr>
<% } %>
</table>
<form method="post" action="carrello.asp" id="spedizione">
<label>Spedizione: <%= carrello.OpzioniSpeseSpedizione("Scegli la spedizione") %></label>
<input type="submit" name="Spese" value="Scegli">
</form>
<table class="totali" id="totali">
<tr><th>Merce</th><td id="totaleProdotti"><%= simbolo %> <%= Html(carrello.FTotaleProdotti) %></td></tr>
<tr><th>Spedizione</th><td id="spese"><%= simbolo %> <%= Html(carrello.FImportoSpeseSpedizione) %></td></tr>
<tr><th>IVA</th><td id="totaleIVA"><%= simbolo %> <%= Html(carrello.FTotaleIVA) %></td></tr>
<tr><th>Totale</th><td id="totaleOrdine"><%= simbolo %> <%= Html(carrello.FTotaleOrdine) %></td></tr>
</table>
<p>
<a href="carrello.asp?Operazione=svuota" id="svuota">Svuota il carrello</a>
<% if (carrello.SpeseSpedizioneOk()) { %>
| <a href="datiordine.asp" id="procedi">Procedi con l'ordine</a>
<% } else { %>
| <span id="sceglispedizione">Scegli la spedizione per procedere con l'ordine.</span>
<% } %>
</p>
<% } %>
</body>
</html>
<% carrello.Free(); %>
